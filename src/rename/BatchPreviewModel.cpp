#include "BatchPreviewModel.h"

#include "texts/DisplayedName.h"
#include "texts/RenameStatusText.h"

#include <QColor>

namespace vornak {

namespace {

const QColor kProblemBackground(255, 214, 214);
const QColor kProblemText(176, 0, 0);

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

void BatchPreviewModel::chooseShownRows()
{
    m_shownRows.clear();
    if (!m_problemsOnly || m_waiting)
        return;
    const std::vector<RenameStatus>& statuses = m_batch.plan.statuses;
    for (std::size_t row = 0; row < statuses.size(); ++row) {
        if (isProblem(statuses[row]))
            m_shownRows.push_back(static_cast<std::uint32_t>(row));
    }
}

std::size_t BatchPreviewModel::batchRow(int row) const
{
    const auto shown = static_cast<std::size_t>(row);
    return m_problemsOnly && !m_waiting ? m_shownRows[shown] : shown;
}

int BatchPreviewModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_entries)
        return 0;
    if (m_problemsOnly && !m_waiting)
        return static_cast<int>(m_shownRows.size());
    if (m_waiting)
        return m_batch.single ? 1 : static_cast<int>(m_entries->size());
    return static_cast<int>(m_batch.rowCount());
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
    switch (role) {
    case Qt::DisplayRole:
        return cellText(row, index.column());
    case Qt::BackgroundRole:
        return problem ? QVariant(kProblemBackground) : QVariant();
    case Qt::ForegroundRole:
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
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kTitles[kColumnCount] = {QT_TR_NOOP("序号"), QT_TR_NOOP("文件夹"),
                                                      QT_TR_NOOP("原文件名"),
                                                      QT_TR_NOOP("新文件名"), QT_TR_NOOP("状态")};
    return section >= 0 && section < kColumnCount ? tr(kTitles[section]) : QString();
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
