#include "Navigation.h"

#include "AddressMode.h"
#include "SizeDisplay.h"

#include "core/fs/FileSystem.h"
#include "core/names/FilePattern.h"
#include "core/names/NativePath.h"
#include "platform/Messages.h"

#include <tuple>

namespace vornak {

Navigation::Navigation(Controls controls, Platform& platform, QObject* parent)
    : QObject(parent), m_controls(controls), m_platform(platform)
{}

void Navigation::followDrive()
{
    // A volume that cannot be read leaves the lists where they were, without a word, and the
    // drive list goes back to their volume.
    if (!m_controls.folderList.setDrive(m_controls.driveList.drive()))
        m_controls.driveList.showVolumeOf(m_controls.folderList.path());
}

void Navigation::followFolder()
{
    m_controls.driveList.showVolumeOf(m_controls.folderList.path());
    // The folder list shows only folders it could read; should this one fail meanwhile, the
    // file list stays where it was.
    std::ignore = m_controls.fileList.setPath(m_controls.folderList.path());
    if (isDesktopMode(m_controls.addressBox.text()))
        return;
    const QString path = displayText(m_controls.folderList.path());
    if (m_controls.addressBox.text() != path)
        m_controls.addressBox.setText(path);
}

void Navigation::leaveLostFolder()
{
    // The root always exists; a folder above that cannot be read is passed over like a gone one.
    const QList<QByteArray> chain = folderChain(m_controls.fileList.path());
    for (qsizetype i = chain.size() - 2; i >= 0; --i) {
        if (m_controls.folderList.setPath(chain[i]))
            return;
    }
}

void Navigation::rereadFiles()
{
    m_controls.fileList.refresh();
}

void Navigation::applyFilters()
{
    // A text that cannot be a pattern leaves the previous one in force.
    std::ignore = m_controls.fileList.setPattern(
        filePatternText(m_controls.nameFilter.text(), m_controls.extensionFilter.text()));
}

void Navigation::showFileSize()
{
    FileList& fileList = m_controls.fileList;
    const auto length = fs::fileLength(fileList.folderPath() + fileList.selectedName());
    if (!length) {
        fileList.refresh();
        showMissingFileMessage(m_platform, fileList.folderPath(), fileList.selectedName());
        return;
    }
    m_controls.window.setWindowTitle(sizeDisplayText(*length));
}

} // namespace vornak
