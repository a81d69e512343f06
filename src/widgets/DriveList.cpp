#include "DriveList.h"

#include "core/NativePath.h"

namespace vornak {

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &DriveList::select);
}

void DriveList::setVolumes(const QList<Volume>& volumes, const QByteArray& currentFolder)
{
    m_volumes = volumes;
    const QByteArray current = volumeRootOf(currentFolder);
    clear();
    m_selected = -1;
    for (const Volume& volume : m_volumes) {
        const QString root = displayText(volume.root);
        addItem(volume.label.isEmpty() || volume.label == root
                    ? root
                    : QStringLiteral("%1 [%2]").arg(root, volume.label));
    }
    for (int i = 0; i < m_volumes.size(); ++i) {
        if (m_volumes[i].root == current)
            m_selected = i;
    }
    setCurrentIndex(m_selected);
}

QByteArray DriveList::drive() const
{
    return m_selected < 0 ? QByteArray() : m_volumes[m_selected].root;
}

QByteArray DriveList::volumeRootOf(const QByteArray& path) const
{
    return vornak::volumeRootOf(m_volumes, path);
}

bool DriveList::setDrive(const QByteArray& designation)
{
    for (int i = 0; i < m_volumes.size(); ++i) {
        if (m_volumes[i].root == designation) {
            select(i);
            return true;
        }
    }
    return false;
}

void DriveList::select(int index)
{
    setCurrentIndex(index);
    if (index == m_selected)
        return;
    m_selected = index;
    Q_EMIT driveChanged();
}

} // namespace vornak
