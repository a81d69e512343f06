#include "cli/CommandLine.h"
#include "cli/StopSignal.h"
#include "texts/InterfaceLanguage.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    vornak::installTranslations(vornak::desktopLanguage());
    vornak::stopOnInterrupt();
    return static_cast<int>(vornak::runCommandLine(argc, argv));
}
