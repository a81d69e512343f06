#include "FileCommands.h"

#include "core/FileSystem.h"
#include "core/Twips.h"
#include "platform/Messages.h"

namespace vornak {

namespace {

// The popup opens at these fixed offsets from the pointer's position in the list, taken as
// the main window's coordinates; they do not follow the list when the splitter moves it.
constexpr int kPopupOffsetX = 1200;
constexpr int kPopupOffsetY = 400;

} // namespace

FileCommands::FileCommands(Controls controls, const FolderPath& folderPath, Platform& platform,
                           Opener http)
    : m_controls(controls), m_folderPath(folderPath), m_platform(platform), m_http(std::move(http))
{}

void FileCommands::onFileMouseUp(Qt::MouseButton button, QPoint pos)
{
    if (m_controls.file1.selectedIndex() < 0) {
        m_controls.daKaiWenJian.setEnabled(false);
        m_controls.shanChuWenJian.setEnabled(false);
        m_controls.jianchawenjian.setEnabled(false);
    }
    if (m_controls.file1.count() == 0)
        m_controls.quantijiancha.setEnabled(false);
    if (button == Qt::RightButton) {
        const QPoint inWindow(twipsToPixels(pixelsToTwips(pos.x()) + kPopupOffsetX),
                              twipsToPixels(pixelsToTwips(pos.y()) + kPopupOffsetY));
        m_controls.xuanXiang.exec(m_controls.window.mapToGlobal(inWindow));
    }
    m_controls.daKaiWenJian.setEnabled(true);
    m_controls.shanChuWenJian.setEnabled(true);
    m_controls.jianchawenjian.setEnabled(true);
    m_controls.quantijiancha.setEnabled(true);
}

void FileCommands::onOpenFolder()
{
    m_http(m_folderPath.bytes());
}

void FileCommands::onDeleteFile()
{
    const QByteArray name = m_controls.file1.selectedName();
    if (confirm(m_platform, QStringLiteral("确定删除吗？将永远无法恢复!")) &&
        !fs::deleteFile(m_folderPath.pathOf(name))) {
        showMissingFileMessage(m_platform, m_folderPath, name);
        return;
    }
    m_controls.file1.refresh();
}

void FileCommands::onOpenFile()
{
    m_http(m_folderPath.pathOf(m_controls.file1.selectedName()));
    m_controls.file1.refresh();
}

} // namespace vornak
