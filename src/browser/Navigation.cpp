#include "Navigation.h"

#include "AddressMode.h"
#include "SizeDisplay.h"

#include "core/FileSystem.h"
#include "core/NativePath.h"
#include "platform/Messages.h"

namespace vornak {

QString filePatternText(const QString& nameFilter, const QString& extensionFilter)
{
    return u'*' + nameFilter + QStringLiteral("*.") + extensionFilter + u'*';
}

Navigation::Navigation(Controls controls, const FolderPath& folderPath, Platform& platform)
    : m_controls(controls), m_folderPath(folderPath), m_platform(platform)
{}

void Navigation::onDriveChanged()
{
    // A volume that cannot be read leaves the lists where they were, without a word.
    m_controls.dir1.setDrive(m_controls.drive1.drive());
}

void Navigation::onFolderChanged()
{
    m_controls.file1.setPath(m_controls.dir1.path());
    if (isDesktopMode(m_controls.address.text()))
        return;
    const QString path = displayText(m_controls.dir1.path());
    if (m_controls.address.text() != path)
        m_controls.address.setText(path);
}

void Navigation::onFolderClicked()
{
    m_controls.file1.refresh();
}

void Navigation::onFilterChanged()
{
    m_controls.file1.setPattern(
        filePatternText(m_controls.nameFilter.text(), m_controls.extensionFilter.text()));
}

void Navigation::onFileClicked()
{
    const auto length = fs::fileLength(m_folderPath.pathOf(m_controls.file1.selectedName()));
    if (!length) {
        m_controls.file1.refresh();
        showMissingFileMessage(m_platform, m_folderPath, m_controls.file1.selectedName());
        return;
    }
    m_controls.window.setWindowTitle(sizeDisplayText(*length));
}

} // namespace vornak
