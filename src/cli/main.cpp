#include "cli/CommandLine.h"
#include "cli/StopSignal.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    vornak::stopOnInterrupt();
    return static_cast<int>(vornak::runCommandLine(argc, argv));
}
