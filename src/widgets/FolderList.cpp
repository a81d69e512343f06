#include "FolderList.h"

#include "DriveList.h"
#include "core/fs/FolderReader.h"
#include "core/names/NativePath.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>

#include <tuple>

namespace vornak {

namespace {

constexpr int kPathRole = Qt::UserRole;

} // namespace

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(8);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    connect(this, &QTreeWidget::itemClicked, this, &FolderList::folderChosen);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &FolderList::open);
}

void FolderList::startIn(const QByteArray& folder)
{
    remember(folder);
    // A start folder that cannot be read leaves the list empty, without a word.
    std::ignore = setPath(folder);
}

void FolderList::remember(const QByteArray& folder)
{
    const QByteArray root = m_driveList ? m_driveList->volumeRootOf(folder) : QByteArray();
    if (!root.isEmpty())
        m_lastFolderOnVolume.insert(root, folder);
}

bool FolderList::setPath(const QByteArray& path)
{
    if (path.isEmpty())
        return false;
    const QByteArray cleaned = cleanAbsolutePath(path, m_path.isEmpty() ? "/" : m_path);
    if (cleaned == m_path)
        return true;
    if (!rebuild(cleaned))
        return false;
    m_path = cleaned;
    remember(m_path);
    Q_EMIT pathChanged();
    return true;
}

bool FolderList::setDrive(const QByteArray& volumeRoot)
{
    return setPath(m_lastFolderOnVolume.value(volumeRoot, volumeRoot));
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        open(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FolderList::open(QTreeWidgetItem* item)
{
    // A folder that has become unreadable is not opened; the list stays where it was.
    if (item)
        std::ignore = setPath(item->data(0, kPathRole).toByteArray());
}

bool FolderList::rebuild(const QByteArray& path)
{
    const auto subfolders = readSubfolders(path);
    if (!subfolders)
        return false;
    fill(path, *subfolders);
    return true;
}

void FolderList::showSubfolders(const NameList& subfolders)
{
    if (subfolders == m_subfolders)
        return;
    const QVariant current = currentItem() ? currentItem()->data(0, kPathRole) : QVariant();
    const int scrolled = verticalScrollBar()->value();
    fill(m_path, subfolders);
    for (QTreeWidgetItemIterator item(this); *item; ++item) {
        if ((*item)->data(0, kPathRole) == current) {
            setCurrentItem(*item);
            break;
        }
    }
    // Laid out first, so that the scroll bar has its new range.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(scrolled);
}

void FolderList::fill(const QByteArray& path, const NameList& subfolders)
{
    m_subfolders = subfolders;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parentItem = nullptr;
    for (const QByteArray& folder : folderChain(path)) {
        const QByteArray name = fileNameOf(folder);
        auto* item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
        item->setText(0, displayText(name.isEmpty() ? folder : name));
        item->setIcon(0, openIcon);
        item->setData(0, kPathRole, folder);
        item->setExpanded(true);
        parentItem = item;
    }
    for (std::size_t i = 0; i < subfolders.size(); ++i) {
        auto* item = new QTreeWidgetItem(parentItem);
        item->setText(0, subfolders.displayNameAt(i));
        item->setIcon(0, closedIcon);
        item->setData(0, kPathRole, withTrailingSeparator(path).append(subfolders.bytesAt(i)));
    }
    expandAll();
    setCurrentItem(parentItem);
}

} // namespace vornak
