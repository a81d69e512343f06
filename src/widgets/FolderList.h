#pragma once

#include "platform/Platform.h"

#include <QHash>
#include <QTreeWidget>

namespace vornak {

// Dir1: the chain of folders down to the current one, and the current folder's subfolders.
// A single click highlights (clicked()); a double click or Enter opens the folder. Assigning
// a path raises changed() inside the assignment, only when the path really changes.
class FolderList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    // The volumes, and the process's current folder as the one to start on its volume.
    void setVolumes(const QList<Volume>& volumes, const QByteArray& currentFolder);
    QByteArray path() const { return m_path; }
    // False when the path names no readable folder; the list then stays where it was.
    bool setPath(const QByteArray& path);
    // Goes to the folder last shown on the volume with this root (its root when never seen).
    bool setDrive(const QByteArray& volumeRoot);

Q_SIGNALS:
    void changed();
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(QTreeWidgetItem* item);
    bool rebuild(const QByteArray& path);

    QList<Volume> m_volumes;
    QHash<QByteArray, QByteArray> m_lastFolderOnVolume;
    QByteArray m_path;
};

} // namespace vornak
