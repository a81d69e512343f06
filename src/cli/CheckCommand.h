#pragma once

#include "cli/ExitStatus.h"

#include <QCommandLineParser>

namespace vornak {

// check [--content] FOLDER: the full size check's report, or the content check's, over the
// folder's listed files. Changes nothing. With --trash-copies --keep RULE, lists which file of
// each group of copies stays and which names go to the trash; --run then moves them as a run
// of the journal, which undo puts back.
void addCheckOptions(QCommandLineParser& parser);
ExitStatus checkCommand(const QCommandLineParser& parser);

} // namespace vornak
