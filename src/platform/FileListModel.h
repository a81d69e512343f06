#pragma once

#include "FileEntry.h"

#include <QAbstractListModel>
#include <QIcon>

#include <vector>

namespace vornak {

// The entries of the file list; one model row per entry, no widget per entry.
class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    void setEntries(std::vector<FileEntry> entries);
    const std::vector<FileEntry>& entries() const { return m_entries; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<FileEntry> m_entries;
    QIcon m_fileIcon;
};

} // namespace vornak
