#pragma once

#include <QCoreApplication>

namespace vornak {

// The context of the command line's texts: CommandLineText::tr("...").
class CommandLineText {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

} // namespace vornak
