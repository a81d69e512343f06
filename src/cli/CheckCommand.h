#pragma once

#include "cli/ExitStatus.h"

#include <QCommandLineParser>

namespace vornak {

// check [--content] FOLDER: the full size check's report, or the content check's, over the
// folder's listed files. Changes nothing.
void addCheckOptions(QCommandLineParser& parser);
ExitStatus checkCommand(const QCommandLineParser& parser);

} // namespace vornak
