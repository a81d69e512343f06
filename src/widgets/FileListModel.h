#pragma once

#include "core/names/NameList.h"

#include <QAbstractListModel>
#include <QIcon>

namespace vornak {

// The entries of the file list; one model row per name, no widget and no string per entry:
// the view asks only for the rows it shows.
class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    void setNames(NameList names);
    const NameList& names() const { return m_names; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    NameList m_names;
    QIcon m_fileIcon;
};

} // namespace vornak
