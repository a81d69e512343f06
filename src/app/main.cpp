#include "AppFont.h"
#include "MainWindow.h"

#include "platform/SystemPlatform.h"
#include "texts/InterfaceLanguage.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornak"));
    QApplication::setDesktopFileName(QStringLiteral(VORNAK_APP_ID));
    vornak::applyAppFont();
    vornak::installTranslations(vornak::desktopLanguage());
    vornak::SystemPlatform platform;
    // The main window lives on the heap so that the program ends only when the last window,
    // the results window included, has been closed.
    auto* window = new vornak::MainWindow(platform);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->load();
    window->show();
    return app.exec();
}
