#pragma once

#include "cli/ExitStatus.h"

#include <QCommandLineParser>

namespace vornak {

// apply [--run] LIST FOLDER: renames by a list, planned as the batch preview plans a batch.
void addApplyOptions(QCommandLineParser& parser);
ExitStatus applyCommand(const QCommandLineParser& parser);

} // namespace vornak
