#pragma once

#include "BatchPreviewTree.h"
#include "core/names/NameList.h"
#include "core/plan/PlannedBatch.h"
#include "texts/PlanFormat.h"

#include <QAbstractTableModel>

#include <memory>
#include <optional>
#include <vector>

namespace vornak {

// The batch preview's table: one row per file of the batch (序号, 文件夹, 原文件名, 新文件名, 状态;
// 文件夹 only for a tree), made when the view asks for it, never as a widget or a string per row,
// in the order the batch is numbered in, or sorted by new name or status. Rows with a problem
// are coloured, and can be the only ones shown. A row's tick box and its new name can be
// edited: the model asks for the edit and shows it with the batch planned for it.
class BatchPreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        NumberColumn,
        FolderColumn,
        OldNameColumn,
        NewNameColumn,
        StatusColumn,
        kColumnCount
    };

    explicit BatchPreviewModel(QObject* parent = nullptr);

    // The batch as planned from these entries; folders says each row's folder for a tree.
    void showBatch(std::shared_ptr<const NameList> entries, PlannedBatch batch,
                   std::shared_ptr<const FolderRows> folders = nullptr);
    // The rows of a batch whose new names cannot be known yet: both columns say why.
    void showWaiting(std::shared_ptr<const NameList> entries, std::optional<std::size_t> single,
                     const QString& reason);
    void setProblemsOnly(bool problemsOnly);
    // Shows the rows sorted by NewNameColumn or StatusColumn, or (any other column) in the
    // batch's order; the batch itself keeps its order and its numbers.
    void sortShown(int column, bool descending);

    // Nothing while waiting.
    const PlannedBatch* batch() const { return m_waiting ? nullptr : &m_batch; }
    // The entries the rows show; valid once a batch or the waiting rows are shown.
    const NameList& entries() const { return *m_entries; }
    // The row of the batch that a row of the table shows.
    std::size_t batchRow(int row) const;
    // A table row as the plan text holds it: its number, the names' exact bytes and its
    // status, and its folder in a tree. A row still waiting keeps its old name.
    PlanLine planLine(int row) const;
    // The file a table row shows, by its path below the folder shown (see fileKey).
    QByteArray fileOf(int row) const;
    bool isTicked(int row) const;
    bool isManual(int row) const;
    const QByteArray& newNameAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Asks for the edit; the table shows it once the batch is planned again.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    void tickRequested(int row, bool ticked);
    void nameTyped(int row, const QString& name);

private:
    QString cellText(std::size_t row, int column) const;
    void chooseShownRows();

    std::shared_ptr<const NameList> m_entries;
    PlannedBatch m_batch;
    std::shared_ptr<const FolderRows> m_folders;
    std::optional<QString> m_waiting;
    bool m_problemsOnly = false;
    int m_sortColumn = NumberColumn;
    bool m_descending = false;
    std::vector<std::uint32_t> m_shownRows; // the batch rows shown, in their order
};

} // namespace vornak
