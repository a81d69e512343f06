#include "DriveList.h"

#include "core/names/NativePath.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace vornak {

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &DriveList::select);
}

void DriveList::listVolumes(const Platform& platform, const QByteArray& folder)
{
    m_platform = &platform;
    fill(folder);
}

void DriveList::showPopup()
{
    if (m_platform)
        fill(drive());
    QComboBox::showPopup();
}

void DriveList::fill(const QByteArray& folder)
{
    m_volumes = m_platform->volumes();
    clear();
    for (const Volume& volume : m_volumes) {
        const QString root = displayText(volume.root);
        addItem(volume.label.isEmpty() || volume.label == root
                    ? root
                    : QStringLiteral("%1 [%2]").arg(root, volume.label));
    }
    showVolumeOf(folder);
}

QByteArray DriveList::drive() const
{
    return m_selected < 0 ? QByteArray() : m_volumes[m_selected].root;
}

QByteArray DriveList::volumeRootOf(const QByteArray& path) const
{
    return vornak::volumeRootOf(m_volumes, path);
}

void DriveList::showVolumeOf(const QByteArray& folder)
{
    const QByteArray root = volumeRootOf(folder);
    m_selected = -1;
    for (int i = 0; i < m_volumes.size() && m_selected < 0; ++i) {
        if (m_volumes[i].root == root)
            m_selected = i;
    }
    setCurrentIndex(m_selected);
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

void DriveList::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    // The style draws the label one pixel in from either side of the edit field.
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText =
        fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, field.width() - 2);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace vornak
