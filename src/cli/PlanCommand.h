#pragma once

#include "cli/ExitStatus.h"

#include <QCommandLineParser>

namespace vornak {

// plan and run: the options they take, and the command itself on the parsed options.
void addPlanOptions(QCommandLineParser& parser, bool run);
ExitStatus planCommand(const QCommandLineParser& parser, bool run);

} // namespace vornak
