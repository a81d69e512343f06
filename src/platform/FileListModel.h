#pragma once

#include "FileEntry.h"
#include "NameList.h"

#include <QAbstractListModel>
#include <QIcon>

#include <optional>
#include <vector>

namespace vornak {

// The entries of the file list; one model row per name, no widget and no string per entry:
// the view asks only for the rows it shows.
class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    void setNames(NameList names);
    const NameList& names() const { return m_names; }
    // Every entry with its name and display text, made on first use after a change.
    const std::vector<FileEntry>& entries() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    NameList m_names;
    mutable std::optional<std::vector<FileEntry>> m_entries;
    QIcon m_fileIcon;
};

} // namespace vornak
