#pragma once

#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <QAction>
#include <QMenu>
#include <QObject>

namespace vornak {

// The file list's popup menu and the commands on its selected file: open it or its folder
// with the desktop's default program, and delete it after a confirmation.
class FileCommands : public QObject {
    Q_OBJECT
public:
    struct Controls {
        FileList& fileList;
        QWidget& window;
        QMenu& fileMenu;
        QAction& openFileAction;
        QAction& deleteFileAction;
        QAction& checkFileAction;
        QAction& checkAllAction;
    };

    FileCommands(Controls controls, Platform& platform, QObject* parent);

public Q_SLOTS:
    // On any release over the file list, at pos in the list's own pixels: a right button
    // opens the popup, whose items that have nothing to act on are disabled while it is open.
    void popUpMenu(Qt::MouseButton button, QPoint pos);
    void openFolder();
    // The file list's double click and "打开文件".
    void openFile();
    void deleteFile();

private:
    Controls m_controls;
    Platform& m_platform;
};

} // namespace vornak
