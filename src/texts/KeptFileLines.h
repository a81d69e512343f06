#pragma once

#include "core/run/KeptFile.h"
#include "core/run/RunUndo.h"

#include <QString>

namespace vornak {

// The lines of the outcome windows, in the user's words: “old” → “new”：reason.
QString keptFileLine(const KeptFile& file);
// For an undo step that isTold: a file left as it is, or a placeholder kept.
QString undoFailureLine(const UndoStep& step);
// The same lines with the names shown as given (from → to), where a window shortens them.
QString keptFileLine(const KeptFile& file, const QString& from, const QString& to);
QString undoFailureLine(const UndoStep& step, const QString& from, const QString& to);

} // namespace vornak
