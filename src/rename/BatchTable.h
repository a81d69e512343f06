#pragma once

#include <QTableView>

namespace vornak {

// The batch preview's table, which tells whether a name is being typed in it.
class BatchTable : public QTableView {
public:
    using QTableView::QTableView;

    bool isEditing() const { return state() == EditingState; }
};

} // namespace vornak
