#include "AddressBox.h"

#include "AddressMode.h"

#include "core/NativePath.h"
#include "core/Volumes.h"

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
    m_controls.drive1.setDrive(driveOf(text));
    m_controls.dir1.setPath(nativeText(m_controls.address.text()));
}

// An absolute path's drive is the volume that holds it. Taking only its first character,
// "/", would name the root volume for every path: an address on another volume could then
// never be reached, and choosing that volume in Drive1 would bounce straight back to the root.
QByteArray AddressBox::driveOf(const QString& text) const
{
    const QByteArray typed = nativeText(text);
    if (!typed.startsWith(kSeparator))
        return nativeText(text.left(1));
    return volumeRootOf(m_controls.drive1.volumes(), cleanAbsolutePath(typed, QByteArray()));
}

void AddressBox::goToDesktop()
{
    const QByteArray desktop = m_platform.desktopFolder().value_or(m_platform.homeFolder());
    m_controls.drive1.setDrive(volumeRootOf(m_controls.drive1.volumes(), desktop));
    m_controls.dir1.setPath(desktop);
}

} // namespace vornak
