#pragma once

#include "core/fs/Volumes.h"
#include "platform/Platform.h"

#include <QComboBox>

namespace vornak {

// The drive list: the mounted volumes, the one list of them the program keeps, read again each
// time the drop-down opens, since volumes come and go while the program runs. Assigning a
// designation selects the volume whose root equals it and raises driveChanged() inside the
// assignment, only when the selection really changes.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // Lists the platform's volumes, from now on; the one holding folder is selected, without
    // driveChanged().
    void listVolumes(const Platform& platform, const QByteArray& folder);
    QByteArray drive() const;
    // False when no volume has this designation; the selection then stays.
    [[nodiscard]] bool setDrive(const QByteArray& designation);
    // Selects the volume that holds folder, without driveChanged(): the list shows the volume of
    // the folder shown, however the folder was reached.
    void showVolumeOf(const QByteArray& folder);
    // The root of the listed volume that holds path; empty when none does.
    QByteArray volumeRootOf(const QByteArray& path) const;

    // Reads the volumes again before it opens; the selected one stays selected while it is
    // mounted.
    void showPopup() override;

Q_SIGNALS:
    void driveChanged();

protected:
    // A long root is elided in the middle: its end is what tells volumes apart.
    void paintEvent(QPaintEvent* event) override;

private:
    void fill(const QByteArray& folder);
    void select(int index);

    const Platform* m_platform = nullptr;
    QList<Volume> m_volumes;
    int m_selected = -1;
};

} // namespace vornak
