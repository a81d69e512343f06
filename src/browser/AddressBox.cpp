#include "AddressBox.h"

#include "AddressMode.h"

#include "core/names/NativePath.h"

#include <tuple>

namespace vornak {

AddressBox::AddressBox(Controls controls, Platform& platform, QObject* parent)
    : QObject(parent), m_controls(controls), m_platform(platform)
{}

void AddressBox::applyEdit()
{
    apply();
    QLineEdit& edit = m_controls.edit;
    edit.setCursorPosition(static_cast<int>(edit.text().size()));
}

void AddressBox::selectWholeText()
{
    m_controls.edit.setFocus();
    m_controls.edit.selectAll();
}

// An address that names a folder goes straight there, on whichever volume it lies: choosing its
// volume first would take the lists to the folder last shown there, whose path the chain then
// writes over the address being typed. Any other text takes the lists to the folder last shown
// on the volume that holds it, or, naming no volume, leaves them where they are, without a word.
void AddressBox::apply()
{
    const QString text = m_controls.edit.text();
    if (isDesktopMode(text)) {
        goToDesktop();
        return;
    }
    if (!m_controls.folderList.setPath(nativeText(text)))
        std::ignore = m_controls.driveList.setDrive(driveOf(text));
}

// An absolute path's drive is the volume that holds it. Taking only its first character,
// "/", would name the root volume for every path: an address on another volume could then
// never be reached, and choosing that volume in the drive list would bounce straight back to
// the root.
QByteArray AddressBox::driveOf(const QString& text) const
{
    const QByteArray typed = nativeText(text);
    if (!typed.startsWith(kSeparator))
        return nativeText(text.left(1));
    return m_controls.driveList.volumeRootOf(cleanAbsolutePath(typed, QByteArray()));
}

void AddressBox::goToDesktop()
{
    const QByteArray desktop = m_platform.desktopFolder().value_or(m_platform.homeFolder());
    std::ignore = m_controls.driveList.setDrive(m_controls.driveList.volumeRootOf(desktop));
    std::ignore = m_controls.folderList.setPath(desktop);
}

} // namespace vornak
