#pragma once

#include "BatchPreviewWindow.h"

#include <QObject>

namespace vornak {

// Opens the batch preview over the main window (F2, "批量预览…"): one window, made the first time
// and brought back with its rules as they were when it is opened again. It belongs to the main
// window and closes with it.
class BatchPreviewOpener : public QObject {
    Q_OBJECT
public:
    BatchPreviewOpener(BatchPreviewWindow::Sources sources, Platform& platform,
                       QWidget& mainWindow);

public Q_SLOTS:
    void open();

private:
    BatchPreviewWindow::Sources m_sources;
    Platform& m_platform;
    QWidget& m_mainWindow;
    BatchPreviewWindow* m_window = nullptr;
};

} // namespace vornak
