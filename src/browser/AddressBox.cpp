#include "AddressBox.h"

#include "AddressMode.h"

#include "platform/NativePath.h"
#include "platform/Volumes.h"

namespace vornak {

AddressBox::AddressBox(Controls controls, Platform& platform)
    : m_controls(controls), m_platform(platform)
{}

void AddressBox::onClicked()
{
    apply();
}

void AddressBox::onChanged()
{
    apply();
    QLineEdit& address = m_controls.address;
    address.setCursorPosition(static_cast<int>(address.text().size()));
}

void AddressBox::onDoubleClicked()
{
    m_controls.address.setFocus();
    m_controls.address.selectAll();
}

// Every failure is ignored: a text that names no volume or no folder leaves the lists where
// the steps before left them. The text is read again after the drive is assigned, because
// that assignment's chain may already have replaced it with the new drive's folder.
void AddressBox::apply()
{
    const QString text = m_controls.address.text();
    if (isDesktopMode(text)) {
        goToDesktop();
        return;
    }
    m_controls.drive1.setDrive(nativeText(text.left(1)));
    m_controls.dir1.setPath(nativeText(m_controls.address.text()));
}

void AddressBox::goToDesktop()
{
    const QByteArray desktop = m_platform.desktopFolder().value_or(m_platform.homeFolder());
    m_controls.drive1.setDrive(volumeRootOf(m_platform.volumes(), desktop));
    m_controls.dir1.setPath(desktop);
}

} // namespace vornak
