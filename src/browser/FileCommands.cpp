#include "FileCommands.h"

#include "core/fs/FileSystem.h"
#include "core/trash/Trash.h"
#include "platform/Messages.h"
#include "widgets/Twips.h"

#include <cerrno>

namespace vornak {

namespace {

// The popup opens at these fixed offsets from the pointer's position in the list, taken as
// the main window's coordinates; they do not follow the list when the splitter moves it.
constexpr int kPopupOffsetX = 1200;
constexpr int kPopupOffsetY = 400;

// Moves the file to the desktop's trash, from where it can be put back; only where its volume
// has no trash is it deleted for good, after a second question that says so. 0, or why the
// file stays where it was although the user wanted it gone (ENOENT: it is not there).
int discard(Platform& platform, const QByteArray& path)
{
    // A file the user may not write is refused, as rm asks before removing one; so is anything
    // but a listed file that has taken the name since the list was read.
    if (const int refusal = fs::deleteRefusal(path))
        return refusal;
    const TrashResult trashed = Trash().moveToTrash(path);
    switch (trashed.outcome) {
    case TrashOutcome::Trashed:
        return 0;
    case TrashOutcome::NoTrashOnVolume:
        if (!confirm(platform,
                     FileCommands::tr("此处没有回收站，文件将被永久删除，无法恢复！确定删除吗？")))
            return 0;
        return fs::deleteFile(path);
    case TrashOutcome::Failed:
        break;
    }
    return trashed.error;
}

} // namespace

FileCommands::FileCommands(Controls controls, Platform& platform, QObject* parent)
    : QObject(parent), m_controls(controls), m_platform(platform)
{}

void FileCommands::popUpMenu(Qt::MouseButton button, QPoint pos)
{
    if (m_controls.fileList.selectedIndex() < 0) {
        m_controls.openFileAction.setEnabled(false);
        m_controls.deleteFileAction.setEnabled(false);
        m_controls.checkFileAction.setEnabled(false);
    }
    if (m_controls.fileList.count() == 0)
        m_controls.checkAllAction.setEnabled(false);
    if (button == Qt::RightButton) {
        const QPoint inWindow(twipsToPixels(pixelsToTwips(pos.x()) + kPopupOffsetX),
                              twipsToPixels(pixelsToTwips(pos.y()) + kPopupOffsetY));
        m_controls.fileMenu.exec(m_controls.window.mapToGlobal(inWindow));
    }
    m_controls.openFileAction.setEnabled(true);
    m_controls.deleteFileAction.setEnabled(true);
    m_controls.checkFileAction.setEnabled(true);
    m_controls.checkAllAction.setEnabled(true);
}

void FileCommands::openFolder()
{
    m_platform.shellOpen(m_controls.fileList.folderPath());
}

void FileCommands::deleteFile()
{
    FileList& fileList = m_controls.fileList;
    const QByteArray name = fileList.selectedName();
    if (confirm(m_platform, tr("确定将文件移到回收站吗？"))) {
        // The described message stays for a file that is not there; any other failure says
        // what failed and why.
        const QByteArray path = fileList.folderPath() + name;
        const int error = discard(m_platform, path);
        if (error == ENOENT) {
            showMissingFileMessage(m_platform, fileList.folderPath(), name);
            return;
        }
        if (error != 0) {
            showFailure(m_platform, tr("无法删除文件。"), path, error);
            return;
        }
    }
    fileList.refresh();
}

void FileCommands::openFile()
{
    FileList& fileList = m_controls.fileList;
    m_platform.shellOpen(fileList.folderPath() + fileList.selectedName());
    fileList.refresh();
}

} // namespace vornak
