#pragma once

#include "core/plan/RenamePlan.h"

#include <QByteArray>
#include <QString>

#include <variant>
#include <vector>

namespace vornak {

// A rename a list asks for, in the list's folder or in a folder below it.
struct ListedRename {
    QByteArray path; // below the list's folder; "" for that folder itself
    Rename rename;
};

// The renames a list asks for in a folder: either the plan text (its header first; every line
// must name the folder, or a folder below it as a relative path as a plan over a tree writes
// it) or bare "old<TAB>new" lines, taken as exact bytes without escapes. Empty lines are passed
// over. The error says which line is wrong and why, in the user's words: a folder elsewhere,
// or a relative one that climbs out (".."), is refused.
std::variant<std::vector<ListedRename>, QString> readRenameList(const QByteArray& text,
                                                                const QByteArray& folder);

} // namespace vornak
