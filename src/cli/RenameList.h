#pragma once

#include "core/plan/RenamePlan.h"

#include <QByteArray>
#include <QString>

#include <variant>
#include <vector>

namespace vornak {

// The renames a list asks for in a folder: either the plan text (its header first; every line
// must name the folder) or bare "old<TAB>new" lines, taken as exact bytes without escapes.
// Empty lines are passed over. The error says which line is wrong and why, in the user's words.
std::variant<std::vector<Rename>, QString> readRenameList(const QByteArray& text,
                                                          const QByteArray& folder);

} // namespace vornak
