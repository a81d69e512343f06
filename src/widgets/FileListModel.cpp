#include "FileListModel.h"

#include <QApplication>
#include <QStyle>

namespace vornak {

FileListModel::FileListModel(QObject* parent)
    : QAbstractListModel(parent),
      m_fileIcon(QApplication::style()->standardIcon(QStyle::SP_FileIcon))
{}

void FileListModel::setNames(NameList names)
{
    beginResetModel();
    m_names = std::move(names);
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_names.displayNameAt(static_cast<std::size_t>(index.row()));
    if (role == Qt::DecorationRole)
        return m_fileIcon;
    return {};
}

} // namespace vornak
