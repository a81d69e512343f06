#pragma once

#include "platform/Platform.h"

#include <QComboBox>

namespace vornak {

// Drive1: the mounted volumes. Assigning a designation selects the volume whose root equals
// it and raises changed() inside the assignment, only when the selection really changes.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // The volumes to list; the one holding currentFolder is selected, without changed().
    void setVolumes(const QList<Volume>& volumes, const QByteArray& currentFolder);
    QByteArray drive() const;
    const QList<Volume>& volumes() const { return m_volumes; }
    // False when no volume has this designation; the selection then stays.
    bool setDrive(const QByteArray& designation);

Q_SIGNALS:
    void changed();

private:
    void select(int index);

    QList<Volume> m_volumes;
    int m_selected = -1;
};

} // namespace vornak
