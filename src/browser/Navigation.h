#pragma once

#include "platform/Platform.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/FolderList.h"

#include <QLineEdit>
#include <QObject>

namespace vornak {

// The linked drive, folder and file lists, the two filter boxes and the size display.
class Navigation : public QObject {
    Q_OBJECT
public:
    struct Controls {
        DriveList& driveList;
        FolderList& folderList;
        FileList& fileList;
        QLineEdit& extensionFilter;
        QLineEdit& nameFilter;
        QLineEdit& addressBox;
        QWidget& window;
    };

    Navigation(Controls controls, Platform& platform, QObject* parent);

public Q_SLOTS:
    // The folder list goes to the chosen drive's folder.
    void followDrive();
    // The file list, and the address box in address mode, go to the folder list's folder; the
    // drive list shows its volume.
    void followFolder();
    // The lists leave a folder that is gone for the nearest folder above it that can be read.
    void leaveLostFolder();
    void rereadFiles();
    void applyFilters();
    // The chosen file's size in the window's title.
    void showFileSize();

private:
    Controls m_controls;
    Platform& m_platform;
};

} // namespace vornak
