#include "BatchPreviewWindow.h"

#include "Named.h"
#include "StatusSummary.h"
#include "core/plan/ProgramSettings.h"
#include "core/plan/RuleSetStore.h"
#include "widgets/WindowPlacement.h"

#include "core/fields/FileDatesReader.h"
#include "core/fs/FolderReader.h"

#include "core/names/NameText.h"
#include "core/plan/NameRules.h"
#include "core/plan/PlannedBatch.h"
#include "core/run/RenameJob.h"
#include "platform/Messages.h"
#include "texts/DisplayedName.h"
#include "texts/PlanFormat.h"
#include "texts/ReplaceErrorText.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace vornak {

namespace {

// Edits that come closer together than this are planned once.
constexpr int kCoalesceMs = 15;
// A plan that takes longer than this says so under the table.
constexpr int kPlanningNoticeMs = 200;

const QString kGeometryKey = QStringLiteral("batchPreview/geometry");
const QString kPlaceKey = QStringLiteral("batchPreview/place");
const QString kSplitterKey = QStringLiteral("batchPreview/splitter");
const QString kColumnsKey = QStringLiteral("batchPreview/columns");
const QString kSubfoldersKey = QStringLiteral("batchPreview/includeSubfolders");
const QString kNumberAcrossKey = QStringLiteral("batchPreview/numberAcross");

QString waitingText(FieldsToRead fields)
{
    if (fields.tags)
        return BatchPreviewWindow::tr("读取音频标签…");
    return fields.taken ? BatchPreviewWindow::tr("读取拍摄日期…")
                        : BatchPreviewWindow::tr("读取修改时间…");
}

// The folder as 执行 finds it: its listed files, and the batch planned again over them where
// they are the ones the table shows.
struct FolderNow {
    std::optional<NameList> listed;
    std::optional<PlannedBatch> batch;
};

} // namespace

BatchPreviewWindow::BatchPreviewWindow(Sources sources, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), m_fileList(sources.fileList), m_engine(sources.engine),
      m_options(sources.options), m_platform(platform), m_place(*this, kPlaceKey)
{
    setObjectName(QStringLiteral("batchPreviewWindow"));
    setWindowTitle(tr("批量预览"));
    m_updateTimer.setSingleShot(true);
    m_updateTimer.setInterval(kCoalesceMs);
    connect(&m_updateTimer, &QTimer::timeout, this, &BatchPreviewWindow::updatePlan);
    m_planningTimer.setSingleShot(true);
    m_planningTimer.setInterval(kPlanningNoticeMs);
    connect(&m_planningTimer, &QTimer::timeout, this,
            [this] { m_summary->setText(tr("正在生成预览…")); });
    buildControls();
    restoreLayout();
    connectSources();
    showRuleSetNames({});
    followEntries();
}

BatchPreviewWindow::~BatchPreviewWindow()
{
    if (isVisible())
        saveLayout();
}

void BatchPreviewWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_entriesStale)
        followEntries();
    updatePlan();
}

void BatchPreviewWindow::closeEvent(QCloseEvent* event)
{
    saveLayout();
    QWidget::closeEvent(event);
}

void BatchPreviewWindow::saveLayout()
{
    ProgramSettings settings;
    settings.setValue(kGeometryKey, saveGeometry());
    m_place.rememberIfMoved();
    settings.setValue(kSplitterKey, m_splitter->saveState());
    settings.setValue(kColumnsKey, m_table->horizontalHeader()->saveState());
    const BatchRules rules = m_rules->rules();
    settings.setValue(kSubfoldersKey, rules.includeSubfolders);
    settings.setValue(kNumberAcrossKey, rules.numberAcross);
}

void BatchPreviewWindow::buildControls()
{
    m_rules = named(new BatchRulesPanel, "batchRules");
    m_ruleSetName = named(new QComboBox, "ruleSetName");
    m_ruleSetName->setEditable(true);
    m_ruleSetName->setInsertPolicy(QComboBox::NoInsert);
    m_ruleSetName->setToolTip(tr("方案名称"));
    auto* save = named(new QPushButton(tr("保存方案")), "saveRuleSet");
    auto* load = named(new QPushButton(tr("载入方案")), "loadRuleSet");
    auto* remove = named(new QPushButton(tr("删除方案")), "deleteRuleSet");
    connect(save, &QPushButton::clicked, this, &BatchPreviewWindow::saveRuleSet);
    connect(load, &QPushButton::clicked, this, &BatchPreviewWindow::loadRuleSet);
    connect(remove, &QPushButton::clicked, this, &BatchPreviewWindow::deleteRuleSet);
    auto* ruleSets = new QGroupBox(tr("方案"));
    auto* ruleSetsLayout = new QVBoxLayout(ruleSets);
    ruleSetsLayout->addWidget(m_ruleSetName);
    auto* ruleSetButtons = new QHBoxLayout;
    for (QPushButton* button : {save, load, remove})
        ruleSetButtons->addWidget(button);
    ruleSetsLayout->addLayout(ruleSetButtons);

    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->addWidget(ruleSets);
    sideLayout->addWidget(m_rules);
    auto* sideScroll = new QScrollArea;
    sideScroll->setWidget(side);
    sideScroll->setWidgetResizable(true);
    sideScroll->setFrameShape(QFrame::NoFrame);
    // The rules scroll up and down only: the column is as wide as they are, with the scroll bar.
    sideScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sideScroll->setMinimumWidth(side->minimumSizeHint().width() +
                                sideScroll->verticalScrollBar()->sizeHint().width());

    m_table = named(new BatchTable, "batchTable");
    m_table->setModel(&m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked);
    // Queued: the view leaves its editing state only after the delegate has told of the close.
    connect(m_table->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            &BatchPreviewWindow::showHeldPlan, Qt::QueuedConnection);
    m_table->setWordWrap(false);
    m_table->setCornerButtonEnabled(false);
    m_table->verticalHeader()->hide();
    // Rows of one height, so that the view never measures 100,000 of them.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(BatchPreviewModel::NumberColumn, 72);
    m_table->setColumnWidth(BatchPreviewModel::OldNameColumn, 240);
    m_table->setColumnWidth(BatchPreviewModel::NewNameColumn, 240);
    auto* copy = new QShortcut(QKeySequence::Copy, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, &BatchPreviewWindow::copySelectedRows);
    auto* toggle = named(new QAction(tr("勾选/取消勾选"), m_table), "toggleTicks");
    toggle->setShortcut(Qt::Key_Space);
    toggle->setShortcutContext(Qt::WidgetShortcut);
    connect(toggle, &QAction::triggered, this, &BatchPreviewWindow::toggleSelectedTicks);
    auto* restore = named(new QAction(tr("恢复计划的名称"), m_table), "restorePlannedName");
    connect(restore, &QAction::triggered, this, &BatchPreviewWindow::restorePlannedNames);
    m_table->addActions({toggle, restore});
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(&m_model, &BatchPreviewModel::tickRequested, this,
            [this](int row, bool ticked) { setTicked({row}, ticked); });
    connect(&m_model, &BatchPreviewModel::nameTyped, this, &BatchPreviewWindow::typeName);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &BatchPreviewWindow::sortTable);

    m_problemsOnly = named(new QCheckBox(tr("只显示问题")), "problemsOnly");
    connect(m_problemsOnly, &QCheckBox::toggled, &m_model, &BatchPreviewModel::setProblemsOnly);
    m_summary = named(new QLabel, "statusSummary");
    m_summary->setTextFormat(Qt::PlainText);
    m_runButton = named(new QPushButton(tr("执行")), "runBatch");
    m_runButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    m_runButton->setToolTip(tr("按预览执行重命名 (Ctrl+Enter)"));
    connect(m_runButton, &QPushButton::clicked, this, &BatchPreviewWindow::run);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_problemsOnly);
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_runButton);
    auto* main = new QWidget;
    auto* mainLayout = new QVBoxLayout(main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(m_table);
    mainLayout->addLayout(bottom);

    m_splitter = named(new QSplitter(Qt::Horizontal), "batchSplitter");
    m_splitter->addWidget(sideScroll);
    m_splitter->addWidget(main);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_splitter);
    setTabOrder(m_table, m_problemsOnly);
}

void BatchPreviewWindow::restoreLayout()
{
    ProgramSettings settings;
    if (!restoreGeometry(settings.value(kGeometryKey).toByteArray()))
        resize(980, 660);
    if (const QWidget* mainWindow = parentWidget()) {
        // A size kept from a larger screen, or the default on a small one, shrinks to this one;
        // the table scrolls.
        const QSize frame = SecondWindowPlace::frameExtent(*mainWindow);
        resize(sizeWithin(size() + frame, SecondWindowPlace::availableArea(*mainWindow)) - frame);
        m_place.place(*mainWindow, size() + frame);
    }
    if (!m_splitter->restoreState(settings.value(kSplitterKey).toByteArray()))
        m_splitter->setSizes({300, 680});
    m_table->horizontalHeader()->restoreState(settings.value(kColumnsKey).toByteArray());
    // A new window numbers by the rules until a header is clicked.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setColumnHidden(BatchPreviewModel::FolderColumn, true);
    BatchRules rules = m_rules->rules();
    rules.includeSubfolders = settings.value(kSubfoldersKey).toBool();
    rules.numberAcross = settings.value(kNumberAcrossKey).toBool();
    m_rules->setRules(rules);
}

void BatchPreviewWindow::connectSources()
{
    connect(&m_options, &RenameOptionControls::changed, this, &BatchPreviewWindow::scheduleUpdate);
    connect(m_fileList.model(), &QAbstractItemModel::modelReset, this,
            &BatchPreviewWindow::followEntries);
    connect(m_fileList.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BatchPreviewWindow::scheduleUpdate);
    connect(m_rules, &BatchRulesPanel::changed, this, &BatchPreviewWindow::followRules);
    connect(&m_datesReader, &FileDatesReader::datesRead, this,
            [this](const std::vector<FileDates>& dates) {
                m_dates = std::make_shared<const std::vector<FileDates>>(dates);
                m_datesFor = m_datesReadingFor;
                updatePlan();
            });
    connect(&m_datesReader, &FileDatesReader::progressed, this,
            [this](std::size_t done, std::size_t total) {
                m_summary->setText(QStringLiteral("%1 %2/%3")
                                       .arg(waitingText(m_datesReadingFor))
                                       .arg(done)
                                       .arg(total));
            });
}

void BatchPreviewWindow::followEntries()
{
    m_entriesStale = !isVisible();
    if (m_entriesStale)
        return;
    m_entries = std::make_shared<const NameList>(m_fileList.names());
    // Another filter over the same folder shows other entries of a folder read a moment ago;
    // another folder or a refresh asks what the folder holds now.
    const QString pattern = m_fileList.pattern().text();
    // Ticks and typed names belong to the files of the folder they were made in.
    if (m_fileList.folderPath() != m_folderPath) {
        m_choices.unticked.clear();
        m_choices.manualNames.clear();
    }
    if (m_fileList.folderPath() != m_folderPath || pattern == m_listedPattern)
        readFolder();
    m_listedPattern = pattern;
    m_datesReader.cancel();
    m_dates.reset();
    m_datesFor.reset();
    readDatesIfNeeded();
    scheduleUpdate();
}

void BatchPreviewWindow::readFolder()
{
    const QByteArray folderPath = m_fileList.folderPath();
    if (folderPath != m_folderPath || !m_folderEntries)
        m_naming = folderNamingOf(folderPath);
    m_folderPath = folderPath;
    m_folderEntries = FolderEntries::read(folderPath, m_naming.caseInsensitive);
}

void BatchPreviewWindow::followRules()
{
    readDatesIfNeeded();
    scheduleUpdate();
}

void BatchPreviewWindow::scheduleUpdate()
{
    if (!isVisible())
        return;
    // The table no longer shows what 执行 would run.
    m_runButton->setEnabled(false);
    if (!m_updateTimer.isActive())
        m_updateTimer.start();
}

bool BatchPreviewWindow::datesKnownFor(std::optional<FieldsToRead> needed) const
{
    return !needed || (m_datesFor && m_datesFor->covers(*needed));
}

void BatchPreviewWindow::readDatesIfNeeded()
{
    const std::optional<FieldsToRead> needed = NameRules(m_rules->rules()).fieldsToRead();
    if (datesKnownFor(needed))
        return;
    if (m_datesReader.isReading() && m_datesReadingFor.covers(*needed))
        return;
    m_datesReadingFor = *needed;
    m_datesReader.start(m_folderPath, *m_entries, *needed);
}

std::optional<std::size_t> BatchPreviewWindow::singleEntry(const RenameOptions& options) const
{
    if (options.mode != RenameMode::Single)
        return std::nullopt;
    const int selected = m_fileList.selectedIndex();
    if (selected < 0 || static_cast<std::size_t>(selected) >= m_entries->size())
        return std::nullopt;
    return static_cast<std::size_t>(selected);
}

void BatchPreviewWindow::updatePlan()
{
    m_updateTimer.stop();
    const quint64 planNumber = ++m_planNumber;
    m_runButton->setEnabled(false);
    const RenameOptions options = m_options.options();
    const BatchRules rules = m_rules->rules();
    const NameRules compiled(rules);
    m_rules->showError(replaceErrorText(compiled.error()));
    m_rules->showPatternError(patternErrorText(compiled.pattern().error));
    if (rules.includeSubfolders && options.mode == RenameMode::Batch) {
        if (!m_planJob.isRunning())
            m_planningTimer.start();
        m_planJob.start([plan = treePlanner()](JobControl&) { return plan(); },
                        [this, planNumber,
                         folder = m_folderPath](std::shared_ptr<const BatchPreviewTree> tree) {
                            if (planNumber != m_planNumber)
                                return;
                            if (!tree)
                                tree = std::make_shared<const BatchPreviewTree>();
                            showPlan(std::shared_ptr<const NameList>(tree, &tree->entries), folder,
                                     tree->joined, tree);
                        });
        return;
    }
    const std::optional<std::size_t> single = singleEntry(options);
    if (const std::optional<FieldsToRead> needed = compiled.fieldsToRead();
        !datesKnownFor(needed)) {
        m_planJob.stop();
        m_planningTimer.stop();
        m_model.showWaiting(m_entries, single, waitingText(*needed));
        m_summary->setText(waitingText(*needed));
        return;
    }
    if (options.mode == RenameMode::Single && !single) {
        m_planJob.stop();
        m_planningTimer.stop();
        showPlan(m_entries, m_folderPath, {});
        return;
    }
    if (!m_planJob.isRunning())
        m_planningTimer.start();
    m_planJob.start(
        [entries = m_entries, plan = planner(single),
         folder = folderRules(m_naming, m_folderEntries)](JobControl& control) {
            return plan(*entries, folder, control.stopToken());
        },
        [this, planNumber, entries = m_entries, folder = m_folderPath](PlannedBatch batch) {
            if (planNumber == m_planNumber)
                showPlan(entries, folder, std::move(batch));
        });
}

BatchPreviewWindow::Planner BatchPreviewWindow::planner(std::optional<std::size_t> single) const
{
    const RenameOptions options = m_options.options();
    // Copies: the window's own state goes on changing while a job plans.
    return [dates = m_dates, state = RenameState::from(options), nameCase = options.nameCase(),
            single, rules = m_rules->rules(), folderName = folderNameOf(m_folderPath),
            choices = m_choices](const NameList& entries, const FolderRules& folder,
                                 std::stop_token stop) {
        const std::span<const FileDates> entryDates =
            dates ? std::span<const FileDates>(*dates) : std::span<const FileDates>();
        const EntryChoices chosen = entryChoices(choices, {}, entries);
        return planRuleBatch(
            {entries, entryDates, state, nameCase, single, std::move(stop), 0, folderName, &chosen},
            NameRules(rules), folder);
    };
}

BatchPreviewWindow::TreePlanner BatchPreviewWindow::treePlanner() const
{
    const RenameOptions options = m_options.options();
    return [top = m_folderPath, pattern = m_fileList.pattern(), state = RenameState::from(options),
            nameCase = options.nameCase(), rules = m_rules->rules(), choices = m_choices] {
        TreeRequest request{state, nameCase, rules.numberAcross, {}, &choices};
        const NameRules compiled(rules);
        if (const std::optional<FieldsToRead> fields = compiled.fieldsToRead())
            request.dates = [fields = *fields](const QByteArray& folder, const NameList& entries) {
                return FileDatesReader::readNow(folder, entries, fields);
            };
        return planPreviewTree(top, pattern, request, compiled);
    };
}

void BatchPreviewWindow::showPlan(std::shared_ptr<const NameList> entries, const QByteArray& folder,
                                  PlannedBatch batch, std::shared_ptr<const BatchPreviewTree> tree)
{
    m_planningTimer.stop();
    // A table shown anew closes the editor of a name being typed, and the typing with it: the
    // plan waits until the name is done.
    if (m_table->isEditing()) {
        m_heldPlanNumber = m_planNumber;
        m_heldPlan = [this, entries = std::move(entries), folder, batch = std::move(batch),
                      tree = std::move(tree)]() mutable {
            showPlan(std::move(entries), folder, std::move(batch), std::move(tree));
        };
        return;
    }
    m_summary->setText(statusSummary(batch));
    if (tree && !tree->unreadable.empty())
        m_summary->setText(m_summary->text() +
                           tr("　%1 个文件夹无法读取：%2")
                               .arg(tree->unreadable.size())
                               .arg(displayedName(tree->unreadable.front().path)));
    // An edit made while the plan was being made is not in it.
    const bool latest = !m_updateTimer.isActive();
    m_runButton->setEnabled(latest && batch.runnable && !batch.plan.order.empty());
    m_shownFolder = folder;
    m_shownTree = tree;
    // The choices of files that are gone go with them.
    if (!m_choices.isEmpty()) {
        QSet<QByteArray> files;
        files.reserve(qsizetype(entries->size()));
        for (std::size_t entry = 0; entry < entries->size(); ++entry)
            files.insert(
                fileKey(tree ? QByteArrayView(tree->rows.pathOfRow(entry)) : QByteArrayView(),
                        entries->bytesAt(entry)));
        keepChoicesOf(m_choices, files);
    }
    m_table->setColumnHidden(BatchPreviewModel::FolderColumn, !tree);
    m_model.showBatch(std::move(entries), std::move(batch),
                      tree ? std::shared_ptr<const FolderRows>(tree, &tree->rows) : nullptr);
    if (latest)
        Q_EMIT planShown();
}

void BatchPreviewWindow::showHeldPlan()
{
    const std::function<void()> held = std::exchange(m_heldPlan, {});
    if (held && m_heldPlanNumber == m_planNumber)
        held();
}

std::vector<int> BatchPreviewWindow::selectedRows() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : m_table->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void BatchPreviewWindow::setTicked(const std::vector<int>& rows, bool ticked)
{
    if (!m_model.batch() || rows.empty())
        return;
    for (int row : rows) {
        const QByteArray file = m_model.fileOf(row);
        if (ticked)
            m_choices.unticked.remove(file);
        else
            m_choices.unticked.insert(file);
    }
    scheduleUpdate();
}

void BatchPreviewWindow::toggleSelectedTicks()
{
    if (!m_model.batch())
        return;
    const std::vector<int> rows = selectedRows();
    const bool anyTicked =
        std::any_of(rows.begin(), rows.end(), [this](int row) { return m_model.isTicked(row); });
    setTicked(rows, !anyTicked);
}

void BatchPreviewWindow::typeName(int row, const QString& name)
{
    const QByteArray file = m_model.fileOf(row);
    const QByteArray bytes = encodeName(name);
    // Leaving the editor as it opened changes nothing.
    if (!m_model.isManual(row) && bytes == m_model.newNameAt(row))
        return;
    if (name.isEmpty())
        m_choices.manualNames.remove(file);
    else
        m_choices.manualNames.insert(file, bytes);
    scheduleUpdate();
}

void BatchPreviewWindow::restorePlannedNames()
{
    if (!m_model.batch())
        return;
    for (int row : selectedRows())
        m_choices.manualNames.remove(m_model.fileOf(row));
    scheduleUpdate();
}

void BatchPreviewWindow::sortTable(int column, Qt::SortOrder order)
{
    const bool descending = order == Qt::DescendingOrder;
    m_model.sortShown(column, descending);
    TableSort sort{SortKey::Rules, descending};
    switch (column) {
    case BatchPreviewModel::NumberColumn:
        sort.key = SortKey::Place;
        break;
    case BatchPreviewModel::FolderColumn:
        sort.key = SortKey::Folder;
        break;
    case BatchPreviewModel::OldNameColumn:
        sort.key = SortKey::Name;
        break;
    default:
        // The rows shown in another order keep their numbers.
        return;
    }
    if (sort == m_choices.sort)
        return;
    m_choices.sort = sort;
    scheduleUpdate();
}

void BatchPreviewWindow::copySelectedRows()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    // The rows of the folder shown leave the folder field empty; those below it name theirs.
    QByteArray text = planHeader() + '\n';
    for (int row : rows)
        text += planLineText(m_model.planLine(row)) + '\n';
    // The plan text is UTF-8 throughout: bytes that are not are written \xHH.
    m_platform.setClipboardText(QString::fromUtf8(text));
}

void BatchPreviewWindow::run()
{
    const PlannedBatch* batch = m_model.batch();
    // While a run or an undo goes, nothing starts another.
    if (!m_runButton->isEnabled() || !batch || m_engine.isBusy())
        return;
    const quint64 planNumber = m_planNumber;
    const std::optional<std::size_t> single = batch->single;
    // A table that changed while the question was open is not the one the user answered for.
    if (!confirm(m_platform, tr("是否执行重命名？")) || planNumber != m_planNumber ||
        m_updateTimer.isActive())
        return;
    m_runButton->setEnabled(false);
    // Another program may have changed the folder since the table was drawn.
    if (m_shownTree) {
        m_planJob.start([plan = treePlanner()](JobControl&) { return plan(); },
                        [this, planNumber](std::shared_ptr<const BatchPreviewTree> now) {
                            if (planNumber == m_planNumber && !m_updateTimer.isActive())
                                runTreeIfUnchanged(now);
                        });
        return;
    }
    m_planJob.start(
        [folder = m_shownFolder, pattern = m_fileList.pattern(), entries = m_entries,
         naming = m_naming, plan = planner(single)](JobControl& control) {
            FolderNow now{readListedFiles(folder, pattern), std::nullopt};
            if (now.listed && *now.listed == *entries)
                now.batch =
                    plan(*entries,
                         folderRules(naming, FolderEntries::read(folder, naming.caseInsensitive)),
                         control.stopToken());
            return now;
        },
        [this, planNumber](FolderNow now) {
            // An edit made meanwhile shows a table of its own.
            if (planNumber == m_planNumber && !m_updateTimer.isActive())
                runIfUnchanged(std::move(now.listed), std::move(now.batch));
        });
}

void BatchPreviewWindow::runIfUnchanged(std::optional<NameList> listed,
                                        std::optional<PlannedBatch> now)
{
    const PlannedBatch* shown = m_model.batch();
    if (now && shown && sameRows(*shown, *now)) {
        if (!m_engine.run(batchJob(m_shownFolder, *shown, *m_entries), *this))
            m_runButton->setEnabled(true);
        return;
    }
    showChangedFolder(std::move(listed));
}

void BatchPreviewWindow::runTreeIfUnchanged(const std::shared_ptr<const BatchPreviewTree>& now)
{
    if (now && m_shownTree && sameTree(*m_shownTree, *now)) {
        if (!m_engine.run(treeJob(m_shownFolder, m_shownTree->folders), *this))
            m_runButton->setEnabled(true);
        return;
    }
    // The folder read again plans the tree as it is now.
    showChangedFolder(std::nullopt);
}

void BatchPreviewWindow::showChangedFolder(std::optional<NameList> listed)
{
    // A folder that can no longer be read is the list's to report.
    if (listed)
        m_fileList.showEntries(std::move(*listed));
    else
        m_fileList.refresh();
    m_platform.messageBox(
        tr("文件夹在预览之后有了变化，已按现在的内容重新预览；请检查后再按执行。"),
        MessageButtons::Ok, kProgramTitle);
}

void BatchPreviewWindow::showRuleSetNames(const QString& current)
{
    m_ruleSetName->clear();
    m_ruleSetName->addItems(ruleSetStore::names());
    m_ruleSetName->setCurrentText(current);
}

void BatchPreviewWindow::saveRuleSet()
{
    const QString name = m_ruleSetName->currentText().trimmed();
    if (name.isEmpty())
        return;
    if (ruleSetStore::names().contains(name) &&
        !confirm(m_platform, tr("方案“%1”已存在，是否替换？").arg(name)))
        return;
    ruleSetStore::save(name, {m_options.options(), m_rules->rules()});
    showRuleSetNames(name);
}

void BatchPreviewWindow::loadRuleSet()
{
    const QString name = m_ruleSetName->currentText().trimmed();
    const std::optional<RuleSet> set = ruleSetStore::load(name);
    if (!set)
        return;
    m_options.setOptions(set->options);
    m_rules->setRules(set->rules);
}

void BatchPreviewWindow::deleteRuleSet()
{
    const QString name = m_ruleSetName->currentText().trimmed();
    if (!ruleSetStore::names().contains(name) ||
        !confirm(m_platform, tr("确定删除方案“%1”吗？").arg(name)))
        return;
    ruleSetStore::remove(name);
    showRuleSetNames({});
}

} // namespace vornak
