#include "BatchPreviewModel.h"

#include "core/names/NameText.h"
#include "texts/DisplayedName.h"
#include "texts/RenameStatusText.h"

#include <QColor>

#include <algorithm>
#include <numeric>

namespace vornak {

namespace {

const QColor kProblemBackground(255, 214, 214);
const QColor kProblemText(176, 0, 0);
const QColor kUntickedText(128, 128, 128);

} // namespace

BatchPreviewModel::BatchPreviewModel(QObject* parent) : QAbstractTableModel(parent) {}

void BatchPreviewModel::showBatch(std::shared_ptr<const NameList> entries, PlannedBatch batch,
                                  std::shared_ptr<const FolderRows> folders)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_batch = std::move(batch);
    m_folders = std::move(folders);
    m_waiting.reset();
    chooseShownRows();
    endResetModel();
}

void BatchPreviewModel::showWaiting(std::shared_ptr<const NameList> entries,
                                    std::optional<std::size_t> single, const QString& reason)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_batch = {};
    m_batch.single = single;
    m_folders.reset();
    m_waiting = reason;
    chooseShownRows();
    endResetModel();
}

void BatchPreviewModel::setProblemsOnly(bool problemsOnly)
{
    if (problemsOnly == m_problemsOnly)
        return;
    beginResetModel();
    m_problemsOnly = problemsOnly;
    chooseShownRows();
    endResetModel();
}

void BatchPreviewModel::sortShown(int column, bool descending)
{
    if (column != NewNameColumn && column != StatusColumn)
        column = NumberColumn;
    if (column == m_sortColumn && descending == m_descending)
        return;
    beginResetModel();
    m_sortColumn = column;
    m_descending = descending;
    chooseShownRows();
    endResetModel();
}

void BatchPreviewModel::chooseShownRows()
{
    m_shownRows.clear();
    if (m_waiting)
        return;
    if (m_batch.shownOrder.empty()) {
        m_shownRows.resize(m_batch.rowCount());
        std::iota(m_shownRows.begin(), m_shownRows.end(), 0u);
    } else {
        m_shownRows = m_batch.shownOrder;
    }
    const auto byKey = [this](auto key) {
        std::stable_sort(m_shownRows.begin(), m_shownRows.end(),
                         [&](std::uint32_t one, std::uint32_t other) {
                             return m_descending ? key(other) < key(one) : key(one) < key(other);
                         });
    };
    if (m_sortColumn == NewNameColumn)
        byKey([this](std::uint32_t row) -> const QByteArray& { return m_batch.newNames[row]; });
    else if (m_sortColumn == StatusColumn)
        byKey([this](std::uint32_t row) { return m_batch.plan.statuses[row]; });
    if (m_problemsOnly)
        std::erase_if(m_shownRows,
                      [this](std::uint32_t row) { return !isProblem(m_batch.plan.statuses[row]); });
}

std::size_t BatchPreviewModel::batchRow(int row) const
{
    const auto shown = static_cast<std::size_t>(row);
    return m_waiting ? shown : m_shownRows[shown];
}

int BatchPreviewModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_entries)
        return 0;
    if (m_waiting)
        return m_batch.single ? 1 : static_cast<int>(m_entries->size());
    return static_cast<int>(m_shownRows.size());
}

int BatchPreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QString BatchPreviewModel::cellText(std::size_t row, int column) const
{
    const std::size_t entry = m_batch.entryAt(row);
    switch (column) {
    case NumberColumn:
        return QString::number(entry + 1);
    case FolderColumn:
        return m_folders ? displayedName(m_folders->pathOfRow(row)) : QString();
    case OldNameColumn:
        return displayedName(m_entries->bytesAt(entry));
    case NewNameColumn:
        return m_waiting ? *m_waiting : displayedName(m_batch.newNames[row]);
    case StatusColumn:
        if (m_waiting)
            return *m_waiting;
        if (m_batch.modifiedInstead[row])
            return statusText(m_batch.plan.statuses[row]) + tr("（无拍摄日期，按修改时间）");
        return rowStatusText(m_batch, row);
    default:
        return {};
    }
}

QVariant BatchPreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const std::size_t row = batchRow(index.row());
    const bool problem = !m_waiting && isProblem(m_batch.plan.statuses[row]);
    const bool unticked = !m_waiting && m_batch.plan.statuses[row] == RenameStatus::Unticked;
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, index.column());
    case Qt::EditRole:
        return index.column() == NewNameColumn && !m_waiting ? decodeName(m_batch.newNames[row])
                                                             : QVariant();
    case Qt::CheckStateRole:
        if (index.column() != NumberColumn || m_waiting)
            return {};
        return unticked ? Qt::Unchecked : Qt::Checked;
    case Qt::BackgroundRole:
        return problem ? QVariant(kProblemBackground) : QVariant();
    case Qt::ForegroundRole:
        if (unticked)
            return QVariant(kUntickedText);
        return problem && index.column() == StatusColumn ? QVariant(kProblemText) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == NumberColumn
                   ? QVariant(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter))
                   : QVariant();
    default:
        return {};
    }
}

QVariant BatchPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // A first click on a header sorts up, as a list does.
    if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole)
        return Qt::AscendingOrder;
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kTitles[kColumnCount] = {QT_TR_NOOP("序号"), QT_TR_NOOP("文件夹"),
                                                      QT_TR_NOOP("原文件名"),
                                                      QT_TR_NOOP("新文件名"), QT_TR_NOOP("状态")};
    return section >= 0 && section < kColumnCount ? tr(kTitles[section]) : QString();
}

Qt::ItemFlags BatchPreviewModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid() || m_waiting)
        return flags;
    if (index.column() == NumberColumn)
        flags |= Qt::ItemIsUserCheckable;
    if (index.column() == NewNameColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool BatchPreviewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || m_waiting || index.row() >= rowCount())
        return false;
    if (index.column() == NumberColumn && role == Qt::CheckStateRole) {
        Q_EMIT tickRequested(index.row(), value.toInt() == Qt::Checked);
        return true;
    }
    if (index.column() == NewNameColumn && role == Qt::EditRole) {
        Q_EMIT nameTyped(index.row(), value.toString());
        return true;
    }
    return false;
}

QByteArray BatchPreviewModel::fileOf(int row) const
{
    const std::size_t batch = batchRow(row);
    return fileKey(m_folders ? QByteArrayView(m_folders->pathOfRow(batch)) : QByteArrayView(),
                   m_entries->bytesAt(m_batch.entryAt(batch)));
}

bool BatchPreviewModel::isTicked(int row) const
{
    return m_batch.plan.statuses[batchRow(row)] != RenameStatus::Unticked;
}

bool BatchPreviewModel::isManual(int row) const
{
    return !m_batch.manual.empty() && m_batch.manual[batchRow(row)];
}

const QByteArray& BatchPreviewModel::newNameAt(int row) const
{
    return m_batch.newNames[batchRow(row)];
}

PlanLine BatchPreviewModel::planLine(int row) const
{
    const std::size_t batch = batchRow(row);
    const std::size_t entry = m_batch.entryAt(batch);
    const QByteArray oldName = m_entries->nameAt(entry);
    return {QByteArray::number(entry + 1), m_folders ? m_folders->pathOfRow(batch) : QByteArray(),
            oldName, m_waiting ? oldName : m_batch.newNames[batch],
            cellText(batch, StatusColumn).toUtf8()};
}

} // namespace vornak
