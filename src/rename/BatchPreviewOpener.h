#pragma once

#include "BatchPreviewWindow.h"

#include <QObject>
#include <QPointer>

namespace vornak {

// Opens the batch preview over the main window (F2, "批量预览…"): one window at a time, brought
// to the front when it is open already. It belongs to the main window and closes with it.
class BatchPreviewOpener : public QObject {
    Q_OBJECT
public:
    BatchPreviewOpener(BatchPreviewWindow::Sources sources, Platform& platform,
                       QWidget& mainWindow);

    // The open window; nothing once it has been closed.
    BatchPreviewWindow* window() const { return m_window; }

public Q_SLOTS:
    void open();

private:
    BatchPreviewWindow::Sources m_sources;
    Platform& m_platform;
    QWidget& m_mainWindow;
    QPointer<BatchPreviewWindow> m_window;
};

} // namespace vornak
