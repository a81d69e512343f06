#include "FileListModel.h"

#include <QApplication>
#include <QStyle>

namespace vornak {

FileListModel::FileListModel(QObject* parent)
    : QAbstractListModel(parent),
      m_fileIcon(QApplication::style()->standardIcon(QStyle::SP_FileIcon))
{}

void FileListModel::setEntries(std::vector<FileEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_entries[static_cast<std::size_t>(index.row())].displayName;
    if (role == Qt::DecorationRole)
        return m_fileIcon;
    return {};
}

} // namespace vornak
