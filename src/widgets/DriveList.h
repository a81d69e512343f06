#pragma once

#include "core/Volumes.h"

#include <QComboBox>

namespace vornak {

// The drive list: the mounted volumes, the one list of them the program keeps. Assigning a
// designation selects the volume whose root equals it and raises driveChanged() inside the
// assignment, only when the selection really changes.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // The volumes to list; the one holding currentFolder is selected, without driveChanged().
    void setVolumes(const QList<Volume>& volumes, const QByteArray& currentFolder);
    QByteArray drive() const;
    // False when no volume has this designation; the selection then stays.
    [[nodiscard]] bool setDrive(const QByteArray& designation);
    // The root of the listed volume that holds path; empty when none does.
    QByteArray volumeRootOf(const QByteArray& path) const;

Q_SIGNALS:
    void driveChanged();

private:
    void select(int index);

    QList<Volume> m_volumes;
    int m_selected = -1;
};

} // namespace vornak
