#include "BatchPreviewWindow.h"

#include "Named.h"
#include "StatusSummary.h"
#include "core/plan/ProgramSettings.h"
#include "core/plan/RuleSetStore.h"

#include "core/plan/NameRules.h"
#include "core/run/RenameJob.h"
#include "platform/Messages.h"
#include "texts/ReplaceErrorText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace vornak {

namespace {

// Edits that come closer together than this are planned once.
constexpr int kCoalesceMs = 15;

const QString kGeometryKey = QStringLiteral("batchPreview/geometry");
const QString kSplitterKey = QStringLiteral("batchPreview/splitter");
const QString kColumnsKey = QStringLiteral("batchPreview/columns");

QString waitingText(NumberingOrder order)
{
    return order == NumberingOrder::Taken ? QStringLiteral("读取拍摄日期…")
                                          : QStringLiteral("读取修改时间…");
}

} // namespace

BatchPreviewWindow::BatchPreviewWindow(Sources sources, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), m_fileList(sources.fileList), m_engine(sources.engine),
      m_options(sources.options), m_platform(platform)
{
    setObjectName(QStringLiteral("batchPreviewWindow"));
    setWindowTitle(QStringLiteral("批量预览"));
    m_updateTimer.setSingleShot(true);
    m_updateTimer.setInterval(kCoalesceMs);
    connect(&m_updateTimer, &QTimer::timeout, this, &BatchPreviewWindow::updatePlan);
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
    settings.setValue(kSplitterKey, m_splitter->saveState());
    settings.setValue(kColumnsKey, m_table->horizontalHeader()->saveState());
}

void BatchPreviewWindow::buildControls()
{
    m_rules = named(new BatchRulesPanel, "batchRules");
    m_ruleSetName = named(new QComboBox, "ruleSetName");
    m_ruleSetName->setEditable(true);
    m_ruleSetName->setInsertPolicy(QComboBox::NoInsert);
    m_ruleSetName->setToolTip(QStringLiteral("方案名称"));
    auto* save = named(new QPushButton(QStringLiteral("保存方案")), "saveRuleSet");
    auto* load = named(new QPushButton(QStringLiteral("载入方案")), "loadRuleSet");
    auto* remove = named(new QPushButton(QStringLiteral("删除方案")), "deleteRuleSet");
    connect(save, &QPushButton::clicked, this, &BatchPreviewWindow::saveRuleSet);
    connect(load, &QPushButton::clicked, this, &BatchPreviewWindow::loadRuleSet);
    connect(remove, &QPushButton::clicked, this, &BatchPreviewWindow::deleteRuleSet);
    auto* ruleSets = new QGroupBox(QStringLiteral("方案"));
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

    m_table = named(new QTableView, "batchTable");
    m_table->setModel(&m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setCornerButtonEnabled(false);
    m_table->verticalHeader()->hide();
    // Rows of one height, so that the view never measures 100,000 of them.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(BatchPreviewModel::NumberColumn, 60);
    m_table->setColumnWidth(BatchPreviewModel::OldNameColumn, 240);
    m_table->setColumnWidth(BatchPreviewModel::NewNameColumn, 240);
    auto* copy = new QShortcut(QKeySequence::Copy, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, &BatchPreviewWindow::copySelectedRows);

    m_problemsOnly = named(new QCheckBox(QStringLiteral("只显示问题")), "problemsOnly");
    connect(m_problemsOnly, &QCheckBox::toggled, &m_model, &BatchPreviewModel::setProblemsOnly);
    m_summary = named(new QLabel, "statusSummary");
    m_summary->setTextFormat(Qt::PlainText);
    m_runButton = named(new QPushButton(QStringLiteral("执行")), "runBatch");
    m_runButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    m_runButton->setToolTip(QStringLiteral("按预览执行重命名 (Ctrl+Enter)"));
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
        resize(980, 600);
    if (!m_splitter->restoreState(settings.value(kSplitterKey).toByteArray()))
        m_splitter->setSizes({300, 680});
    m_table->horizontalHeader()->restoreState(settings.value(kColumnsKey).toByteArray());
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
                m_dates = dates;
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
    if (m_fileList.folderPath() != m_folderPath || pattern == m_listedPattern)
        readFolder();
    m_listedPattern = pattern;
    m_datesReader.cancel();
    m_dates.clear();
    m_datesFor = NumberingOrder::List;
    m_datesReadingFor = NumberingOrder::List;
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
    if (isVisible() && !m_updateTimer.isActive())
        m_updateTimer.start();
}

bool BatchPreviewWindow::datesKnownFor(NumberingOrder order) const
{
    return order == NumberingOrder::List || m_datesFor == NumberingOrder::Taken ||
           m_datesFor == order;
}

void BatchPreviewWindow::readDatesIfNeeded()
{
    const NumberingOrder order = m_rules->rules().order;
    if (datesKnownFor(order))
        return;
    if (m_datesReader.isReading() &&
        (m_datesReadingFor == order || m_datesReadingFor == NumberingOrder::Taken))
        return;
    m_datesReadingFor = order;
    m_datesReader.start(m_folderPath, *m_entries, order == NumberingOrder::Taken);
}

PlannedBatch BatchPreviewWindow::plan(const RenameOptions& options, const NameRules& rules) const
{
    std::optional<std::size_t> single;
    if (options.mode == RenameMode::Single) {
        const int selected = m_fileList.selectedIndex();
        if (selected < 0 || static_cast<std::size_t>(selected) >= m_entries->size())
            return {};
        single = static_cast<std::size_t>(selected);
    }
    const RenameState state = RenameState::from(options);
    return planRuleBatch({*m_entries, m_dates, state, options.nameCase(), single}, rules,
                         folderRules(m_naming, m_folderEntries));
}

void BatchPreviewWindow::updatePlan()
{
    m_updateTimer.stop();
    const RenameOptions options = m_options.options();
    const NameRules rules(m_rules->rules());
    m_rules->showError(replaceErrorText(rules.error()));
    const NumberingOrder order = rules.rules().order;
    if (!datesKnownFor(order)) {
        const int selected = m_fileList.selectedIndex();
        m_model.showWaiting(m_entries,
                            options.mode == RenameMode::Single && selected >= 0
                                ? std::optional<std::size_t>(selected)
                                : std::nullopt,
                            waitingText(order));
        m_summary->setText(waitingText(order));
        m_runButton->setEnabled(false);
        return;
    }
    PlannedBatch batch = plan(options, rules);
    m_summary->setText(statusSummary(batch));
    m_runButton->setEnabled(batch.runnable && !batch.plan.order.empty());
    m_model.showBatch(m_entries, std::move(batch));
}

void BatchPreviewWindow::copySelectedRows()
{
    std::vector<int> rows;
    for (const QItemSelectionRange& range : m_table->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QString text;
    for (int row : rows)
        text += m_model.rowText(row) + u'\n';
    if (!text.isEmpty())
        m_platform.setClipboardText(text);
}

void BatchPreviewWindow::run()
{
    updatePlan();
    if (!m_runButton->isEnabled() || !confirm(m_platform, QStringLiteral("是否执行重命名？")))
        return;
    const RenameOptions options = m_options.options();
    // The run stays in the folder it starts in, whatever the list shows meanwhile.
    const QByteArray folder = m_fileList.path();
    // As the main window's batch run does: the entries as the folder holds them now (the
    // refresh reads the folder's other entries too), their dates read again where the order
    // needs them.
    if (options.mode == RenameMode::Batch)
        m_fileList.refresh();
    else
        readFolder();
    const NameRules rules(m_rules->rules());
    const NumberingOrder order = rules.rules().order;
    if (!datesKnownFor(order)) {
        m_datesReader.cancel();
        m_dates = m_datesReader.readNow(m_folderPath, *m_entries, order == NumberingOrder::Taken);
        m_datesFor = order;
    }
    m_engine.run(batchJob(folder, plan(options, rules), *m_entries), *this);
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
        !confirm(m_platform, QStringLiteral("方案“%1”已存在，是否替换？").arg(name)))
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
        !confirm(m_platform, QStringLiteral("确定删除方案“%1”吗？").arg(name)))
        return;
    ruleSetStore::remove(name);
    showRuleSetNames({});
}

} // namespace vornak
