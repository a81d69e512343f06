#include "BatchPreviewOpener.h"

namespace vornak {

BatchPreviewOpener::BatchPreviewOpener(BatchPreviewWindow::Sources sources, Platform& platform,
                                       QWidget& mainWindow)
    : QObject(&mainWindow), m_sources(sources), m_platform(platform), m_mainWindow(mainWindow)
{}

void BatchPreviewOpener::open()
{
    if (!m_window)
        m_window = new BatchPreviewWindow(m_sources, m_platform, &m_mainWindow);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace vornak
