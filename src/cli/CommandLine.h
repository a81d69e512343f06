#pragma once

#include "cli/ExitStatus.h"

namespace vornak {

// The whole command line: picks the subcommand, parses its options from the raw argument bytes
// and runs it. A QCoreApplication must exist.
ExitStatus runCommandLine(int argc, char** argv);

} // namespace vornak
