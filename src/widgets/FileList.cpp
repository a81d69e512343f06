#include "FileList.h"

#include "core/fs/FolderReader.h"
#include "core/names/NativePath.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace vornak {

FileList::FileList(QWidget* parent) : QListView(parent)
{
    setModel(&m_model);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Laid out in one pass, which takes a few milliseconds for 100,000 entries of one height: a
    // batched layout would leave the rows beyond its first batch without a place, so that the
    // view could not scroll to them, and a click queued behind a load could find no row at all.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QByteArray FileList::folderPath() const
{
    return m_path.isEmpty() ? QByteArray() : withTrailingSeparator(m_path);
}

bool FileList::setPath(const QByteArray& path)
{
    if (path == m_path)
        return true;
    if (!load(path, m_pattern))
        return false;
    m_path = path;
    Q_EMIT pathChanged();
    return true;
}

bool FileList::setPattern(const QString& text)
{
    auto pattern = FilePattern::parse(text);
    if (!pattern)
        return false;
    if (pattern->text() == m_pattern.text())
        return true;
    m_pattern = std::move(*pattern);
    refresh();
    return true;
}

void FileList::refresh()
{
    if (!m_path.isEmpty() && !load(m_path, m_pattern))
        Q_EMIT folderLost();
}

bool FileList::load(const QByteArray& path, const FilePattern& pattern)
{
    auto listed = readListedFiles(path, pattern);
    if (!listed)
        return false;
    // The same folder read again stays where it was; another one starts at its top.
    if (path == m_path) {
        showEntries(std::move(*listed));
    } else {
        m_model.setNames(std::move(*listed));
        scrollToTop();
    }
    return true;
}

void FileList::showEntries(NameList entries)
{
    // The same folder read again keeps the user's place, wherever its rows have moved: the
    // selected name, the current row (the nearest one left) and the scroll bars.
    const QByteArray selected = selectedName();
    const int current = currentIndex().row();
    const int scrolledDown = verticalScrollBar()->value();
    const int scrolledAcross = horizontalScrollBar()->value();
    m_model.setNames(std::move(entries));
    if (!selected.isEmpty())
        selectName(selected);
    if (selectedIndex() < 0 && current >= 0 && count() > 0)
        selectionModel()->setCurrentIndex(m_model.index(std::min(current, count() - 1)),
                                          QItemSelectionModel::NoUpdate);
    // Laid out first, so that the scroll bars have their new ranges.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(scrolledDown);
    horizontalScrollBar()->setValue(scrolledAcross);
}

int FileList::count() const
{
    return m_model.rowCount();
}

QByteArray FileList::entryName(int index) const
{
    return index >= 0 && index < count() ? m_model.names().nameAt(static_cast<std::size_t>(index))
                                         : QByteArray();
}

QString FileList::entryDisplayName(int index) const
{
    return index >= 0 && index < count()
               ? m_model.names().displayNameAt(static_cast<std::size_t>(index))
               : QString();
}

int FileList::selectedIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QByteArray FileList::selectedName() const
{
    return entryName(selectedIndex());
}

void FileList::setSelectedIndex(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    const QModelIndex row = m_model.index(index);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

void FileList::selectName(QByteArrayView name)
{
    const NameList& names = m_model.names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names.bytesAt(i) == name) {
            setSelectedIndex(static_cast<int>(i));
            return;
        }
    }
    clearSelection();
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    const int before = selectedIndex();
    QListView::keyPressEvent(event);
    const int selected = selectedIndex();
    if (selected != before && selected >= 0)
        Q_EMIT entryChosen(selected);
}

void FileList::mousePressEvent(QMouseEvent* event)
{
    // A right click opens the popup for the entry already selected; it selects nothing.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    m_selectedAtPress = selectedIndex();
    QListView::mousePressEvent(event);
}

void FileList::mouseReleaseEvent(QMouseEvent* event)
{
    QListView::mouseReleaseEvent(event);
    // A click on the selected entry counts as well as one that moved the selection, also
    // by dragging; a click beside the entries or one that only deselects does not.
    if (event->button() == Qt::LeftButton) {
        const int selected = selectedIndex();
        const QModelIndex released = indexAt(event->position().toPoint());
        if (selected >= 0 &&
            (selected != m_selectedAtPress || (released.isValid() && released.row() == selected)))
            Q_EMIT entryChosen(selected);
    }
    Q_EMIT mouseReleased(event->button(), event->position().toPoint());
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT entryActivated(selectedIndex());
}

} // namespace vornak
