#pragma once

#include "core/FolderPath.h"
#include "platform/Platform.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/FolderList.h"

#include <QLineEdit>

namespace vornak {

// The file list's pattern built from the two filter boxes: "*" + name + "*." + extension + "*".
QString filePatternText(const QString& nameFilter, const QString& extensionFilter);

// The linked drive, folder and file lists, the two filter boxes and the size display.
class Navigation {
public:
    struct Controls {
        DriveList& drive1;
        FolderList& dir1;
        FileList& file1;
        QLineEdit& extensionFilter; // T1
        QLineEdit& nameFilter;      // T2
        QLineEdit& address;         // T3
        QWidget& window;
    };

    Navigation(Controls controls, const FolderPath& folderPath, Platform& platform);

    void onDriveChanged();
    void onFolderChanged();
    void onFolderClicked();
    void onFilterChanged();
    void onFileClicked();

private:
    Controls m_controls;
    const FolderPath& m_folderPath;
    Platform& m_platform;
};

} // namespace vornak
