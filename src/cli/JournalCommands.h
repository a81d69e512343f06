#pragma once

#include "cli/ExitStatus.h"

#include <QCommandLineParser>

namespace vornak {

// undo [RUN] and history, over the journal the window keeps too.
void addUndoOptions(QCommandLineParser& parser);
ExitStatus undoCommand(const QCommandLineParser& parser);
ExitStatus historyCommand();

} // namespace vornak
