#pragma once

#include "cli/ExitStatus.h"
#include "cli/FolderPlan.h"

#include <QCommandLineParser>

namespace vornak {

// What plan, run and apply share once a batch is planned: the options of its output, and
// either writing the plan or running it (journaled; the files kept reported on stderr).
void addOutputOptions(QCommandLineParser& parser);
ExitStatus showOrRun(const QCommandLineParser& parser, const FolderPlan& plan, bool rename);

} // namespace vornak
