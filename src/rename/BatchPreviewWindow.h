#pragma once

#include "BatchPreviewModel.h"
#include "BatchPreviewTree.h"
#include "BatchRulesPanel.h"
#include "BatchTable.h"
#include "RenameEngine.h"
#include "RenameOptionControls.h"
#include "core/fields/FileDatesReader.h"
#include "core/jobs/BackgroundJob.h"

#include "core/plan/FolderEntries.h"
#include "core/plan/FolderNaming.h"
#include "core/plan/TableChoices.h"
#include "platform/Platform.h"
#include "widgets/FileList.h"
#include "widgets/SecondWindowPlace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

namespace vornak {

// The window "批量预览": every rename of the batch in one table before it happens, planned from
// the main window's options, filters and folder as they stand, and from rules of its own. It
// follows every edit in the main window and in itself, and runs exactly the batch it shows.
class BatchPreviewWindow : public QWidget {
    Q_OBJECT
public:
    // What it follows in the main window.
    struct Sources {
        FileList& fileList;
        RenameOptionControls& options;
        // Its runs go the main window's way: journaled, reported and undoable alike.
        RenameEngine& engine;
    };

    BatchPreviewWindow(Sources sources, Platform& platform, QWidget* parent);
    ~BatchPreviewWindow() override;

public Q_SLOTS:
    // Plans the batch again in the background and shows it when it is made; edits call it
    // through a short timer, so that a burst of them costs one plan. A newer edit drops a plan
    // still being made.
    void updatePlan();
    // "执行": after the confirmation, plans the batch again from the folder as it is now, in the
    // background, and renames the files as the table shows them only where that plan has the
    // same rows. Where the folder has changed since, nothing is renamed: the table shows the
    // folder as it is and a message says why. While an edit is not yet shown in the table, 执行
    // is disabled and does nothing.
    void run();
    // The selected rows as the plan text, header first, to the clipboard: every name's bytes
    // come back from it.
    void copySelectedRows();
    // Space: unticks the selected rows where one of them is ticked, else ticks them all.
    void toggleSelectedTicks();
    // Gives the selected rows the names the rules plan again.
    void restorePlannedNames();
    void saveRuleSet();
    void loadRuleSet();
    void deleteRuleSet();

Q_SIGNALS:
    // The table shows the plan of the latest edit.
    void planShown();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // Its size within the main window's screen, its place beside the main window or where the
    // user left it, its splitter and its column widths as they were.
    void restoreLayout();
    // Keeps the window's size and place, its splitter and its column widths for the next time.
    void saveLayout();
    void connectSources();
    // The file list shows other entries: another folder, other filters, or a refresh. A hidden
    // window reads nothing until it shows again.
    void followEntries();
    // Reads the folder's naming and all its entries, to tell which new names are taken.
    void readFolder();
    void followRules();
    // While the window is hidden nothing is planned; it plans when it shows again.
    void scheduleUpdate();
    // Starts reading the dates the numbering order needs, unless they are known or on their way.
    void readDatesIfNeeded();
    bool datesKnownFor(std::optional<FieldsToRead> needed) const;
    // The selected entry in single mode; nothing in batch mode.
    std::optional<std::size_t> singleEntry(const RenameOptions& options) const;
    // Plans entries with the options, rules and dates as they stand now, on any thread.
    using Planner = std::function<PlannedBatch(const NameList& entries, const FolderRules& folder,
                                               std::stop_token stop)>;
    Planner planner(std::optional<std::size_t> single) const;
    // Walks and plans the tree below the folder as the options and rules stand now, on any
    // thread.
    using TreePlanner = std::function<std::shared_ptr<const BatchPreviewTree>()>;
    TreePlanner treePlanner() const;
    // A tree's plan shows its joined batch with the folder of each row.
    void showPlan(std::shared_ptr<const NameList> entries, const QByteArray& folder,
                  PlannedBatch batch, std::shared_ptr<const BatchPreviewTree> tree = nullptr);
    // Shows the plan held while a name was typed in the table, unless a newer one is asked for.
    void showHeldPlan();
    // Runs the shown batch where the folder, planned again, gives the rows it shows; otherwise
    // shows the folder as it is now.
    void runIfUnchanged(std::optional<NameList> listed, std::optional<PlannedBatch> now);
    void runTreeIfUnchanged(const std::shared_ptr<const BatchPreviewTree>& now);
    // The list and the table follow the folder as it was read, and a message says why nothing
    // ran.
    void showChangedFolder(std::optional<NameList> listed);
    void showRuleSetNames(const QString& current);
    // The table rows selected, in the table's order.
    std::vector<int> selectedRows() const;
    void setTicked(const std::vector<int>& rows, bool ticked);
    void typeName(int row, const QString& name);
    // A click on a header: by 序号, 文件夹 or 原文件名 the batch is numbered in the order shown;
    // by 新文件名 or 状态 only the rows are shown in another order.
    void sortTable(int column, Qt::SortOrder order);

    FileList& m_fileList;
    RenameEngine& m_engine;
    RenameOptionControls& m_options;
    Platform& m_platform;

    std::shared_ptr<const NameList> m_entries = std::make_shared<const NameList>();
    bool m_entriesStale = true;
    QByteArray m_folderPath;
    QString m_listedPattern;
    FolderNaming m_naming;
    std::shared_ptr<const FolderEntries> m_folderEntries;
    std::shared_ptr<const std::vector<FileDates>> m_dates;
    // What the dates in hand hold (nothing: none read), and what the read under way reads.
    std::optional<FieldsToRead> m_datesFor;
    FieldsToRead m_datesReadingFor;

    FileDatesReader m_datesReader;
    QTimer m_updateTimer;
    // Says that a plan is being made once it takes longer than a keystroke.
    QTimer m_planningTimer;
    BatchPreviewModel m_model;
    // The folder of the plan the table shows, where 执行 runs it.
    QByteArray m_shownFolder;
    // The tree the table shows, when it shows one.
    std::shared_ptr<const BatchPreviewTree> m_shownTree;
    // Ticks, typed names and the order chosen in the table; planned with the rules.
    TableChoices m_choices;
    // Counts updatePlan() calls: a plan made for an older one is not shown.
    quint64 m_planNumber = 0;
    // A plan that arrived while a name was typed in the table, and its updatePlan() call.
    std::function<void()> m_heldPlan;
    quint64 m_heldPlanNumber = 0;

    SecondWindowPlace m_place;
    QSplitter* m_splitter = nullptr;
    BatchRulesPanel* m_rules = nullptr;
    QComboBox* m_ruleSetName = nullptr;
    BatchTable* m_table = nullptr;
    QCheckBox* m_problemsOnly = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_runButton = nullptr;
    // Last: it stops and waits for a plan under way before what the plan is shown in goes.
    BackgroundJob m_planJob;
};

} // namespace vornak
