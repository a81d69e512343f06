#pragma once

#include "core/names/NameList.h"

#include <QHash>
#include <QTreeWidget>

namespace vornak {

class DriveList;

// The folder list: the chain of folders down to the current one, and the current folder's
// subfolders. A single click only highlights a folder (folderChosen()); a double click or
// Enter opens it. Assigning a path raises pathChanged() inside the assignment, only when the
// path really changes. Per volume it remembers the last folder it showed there.
class FolderList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    // The drive list whose volumes tell on which volume a folder lies; without one no folder
    // is remembered.
    void setDriveList(const DriveList* driveList) { m_driveList = driveList; }
    // Goes to folder, which stays its volume's folder to return to even if it cannot be shown.
    void startIn(const QByteArray& folder);
    QByteArray path() const { return m_path; }
    // False when the path names no readable folder; the list then stays where it was.
    [[nodiscard]] bool setPath(const QByteArray& path);
    // Goes to the folder last shown on the volume with this root (its root when never seen).
    [[nodiscard]] bool setDrive(const QByteArray& volumeRoot);
    // Shows its folder's subfolders as read elsewhere (readSubfolders with its path, on another
    // thread), keeping the current item, or the folder itself when that is gone, and the scroll
    // place.
    void showSubfolders(const NameList& subfolders);

Q_SIGNALS:
    void pathChanged();
    void folderChosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(QTreeWidgetItem* item);
    bool rebuild(const QByteArray& path);
    void fill(const QByteArray& path, const NameList& subfolders);
    void remember(const QByteArray& folder);

    const DriveList* m_driveList = nullptr;
    QHash<QByteArray, QByteArray> m_lastFolderOnVolume;
    QByteArray m_path;
    // The subfolders shown, to leave the items alone when a new read finds the same.
    NameList m_subfolders;
};

} // namespace vornak
