#pragma once

#include "core/FolderPath.h"
#include "platform/Platform.h"
#include "widgets/FileList.h"

#include <QAction>
#include <QMenu>

#include <functional>

namespace vornak {

// The file list's popup menu and the commands on its selected file: open it or its folder
// with the desktop's default program, and delete it after a confirmation.
class FileCommands {
public:
    struct Controls {
        FileList& file1;
        QWidget& window;
        QMenu& xuanXiang;
        QAction& daKaiWenJian;
        QAction& shanChuWenJian;
        QAction& jianchawenjian;
        QAction& quantijiancha;
    };
    // The main window's Http: hands a path to the desktop's default program.
    using Opener = std::function<void(const QByteArray& path)>;

    FileCommands(Controls controls, const FolderPath& folderPath, Platform& platform, Opener http);

    // pos is in the file list's own pixels.
    void onFileMouseUp(Qt::MouseButton button, QPoint pos);
    void onOpenFolder();
    // File1's double click and "打开文件".
    void onOpenFile();
    void onDeleteFile();

private:
    Controls m_controls;
    const FolderPath& m_folderPath;
    Platform& m_platform;
    Opener m_http;
};

} // namespace vornak
