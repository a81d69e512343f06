#include "MainWindow.h"

#include "AppIcon.h"
#include "Splitter.h"

#include "browser/AddressBox.h"
#include "browser/AddressMode.h"
#include "browser/FileCommands.h"
#include "browser/FolderWatch.h"
#include "browser/Navigation.h"
#include "dupcheck/ContentCheck.h"
#include "dupcheck/SizeCheck.h"
#include "platform/Messages.h"
#include "rename/BatchPreviewOpener.h"
#include "rename/FileListFollower.h"
#include "rename/LivePreview.h"
#include "rename/OptionTextHistory.h"
#include "rename/RenameRun.h"
#include "widgets/CaptionColour.h"
#include "widgets/ClickSignals.h"
#include "widgets/Twips.h"

#include <QShortcut>

#include <tuple>

namespace vornak {

namespace {

template <typename Widget> Widget* place(QWidget* parent, const char* name, QRect twips)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return widget;
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_platform(platform)
{
    m_platform.setParentWindow(this);
    setObjectName(QLatin1String(controlName::window));
    setWindowTitle(kProgramTitle);
    setWindowIcon(appIcon());
    setFixedSize(twipsToPixels(4845), twipsToPixels(4155));
    buildControls();
    buildPopupMenu();
    setTabOrder();
    connectReactions();
    showStartFolder();
}

void MainWindow::buildControls()
{
    using namespace controlName;
    m_frame = place<QFrame>(this, frame, {0, -120, 4875, 3405});
    m_frame->setFrameShape(QFrame::Box);
    m_fileList = place<FileList>(m_frame, fileList, {2460, 420, 2320, 2610});
    m_folderList = place<FolderList>(m_frame, folderList, {0, 420, 2430, 2610});
    m_driveList = place<DriveList>(m_frame, driveList, {0, 120, 2445, 300});
    m_folderList->setDriveList(m_driveList);
    m_addressBox = place<QLineEdit>(m_frame, addressBox, {2445, 120, 2355, 300});
    m_addressBox->setText(desktopCaption());
    m_addressBox->setToolTip(tr("可直接输入地址 例如：输入/home"));
    m_batchMode = place<QRadioButton>(m_frame, batchMode, {3360, 3105, 675, 180});
    m_batchMode->setText(tr("批量"));
    m_batchMode->setToolTip(tr("批量更改"));
    m_batchMode->setChecked(true);
    m_singleMode = place<QRadioButton>(m_frame, singleMode, {4050, 3105, 675, 180});
    m_singleMode->setText(tr("单个"));
    m_singleMode->setToolTip(tr("单个更改"));
    setCaptionColour(*m_singleMode, kNormalColour);
    m_nameFilter = place<QLineEdit>(m_frame, nameFilter, {720, 3060, 1095, 270});
    m_nameFilter->setText(QStringLiteral("*"));
    m_nameFilter->setToolTip(tr("筛选文件名"));
    m_extensionFilter = place<QLineEdit>(m_frame, extensionFilter, {2490, 3060, 795, 270});
    m_extensionFilter->setText(QStringLiteral("*"));
    m_extensionFilter->setToolTip(tr("筛选文件后缀"));
    place<QLabel>(m_frame, nameFilterCaption, {60, 3105, 720, 180})->setText(tr("文件名："));
    place<QLabel>(m_frame, extensionFilterCaption, {1830, 3105, 720, 180})->setText(tr("格式名："));
    m_splitterBar = place<QLabel>(m_frame, splitterBar, {2430, 420, 30, 2595});
    m_splitterBar->setToolTip(tr("按住可移动框体"));
    m_splitterBar->setAutoFillBackground(true);
    QPalette barPalette = m_splitterBar->palette();
    barPalette.setColor(QPalette::Window, QColor(0, 192, 192));
    m_splitterBar->setPalette(barPalette);
    m_previewTimer = new QTimer(m_frame);
    m_previewTimer->setObjectName(QLatin1String(previewTimer));
    m_previewTimer->setInterval(100);

    m_runButton = place<QPushButton>(this, runButton, {3990, 3825, 855, 360});
    m_runButton->setText(tr("执行"));
    static constexpr struct {
        const char* caption;
        int left;
        int top;
    } kOptions[RenameOptionControls::kPairs] = {{QT_TR_NOOP("前面加字"), 30, 3300},
                                                {QT_TR_NOOP("后面加字"), 2460, 3300},
                                                {QT_TR_NOOP("改文件名"), 30, 3570},
                                                {QT_TR_NOOP("改格式名"), 2460, 3570}};
    for (std::size_t i = 0; i < RenameOptionControls::kPairs; ++i) {
        const auto& option = kOptions[i];
        m_optionTexts[i] =
            place<QLineEdit>(this, optionTexts[i], {option.left + 1050, option.top, 1335, 270});
        m_optionTexts[i]->setEnabled(false);
        m_optionChecks[i] =
            place<QCheckBox>(this, optionChecks[i], {option.left, option.top + 30, 1035, 210});
        m_optionChecks[i]->setText(tr(option.caption));
        setCaptionColour(*m_optionChecks[i], kNormalColour);
    }
    m_previewLabel = place<PreviewLabel>(this, previewLabel, {60, 3930, 3825, 195});
}

void MainWindow::buildPopupMenu()
{
    using namespace controlName;
    // The top item is never shown as a menu bar: the tree only opens as a popup.
    m_fileMenu = new QMenu(tr("选项"), this);
    m_fileMenu->setObjectName(QLatin1String(fileMenu));
    m_openFolderAction = addItem(m_fileMenu, openFolderAction, tr("打开文件夹"));
    m_openFileAction = addItem(m_fileMenu, openFileAction, tr("打开文件"));
    m_deleteFileAction = addItem(m_fileMenu, deleteFileAction, tr("删除文件"));
    QMenu* check = m_fileMenu->addMenu(tr("检查"));
    check->setObjectName(QLatin1String(checkMenu));
    check->menuAction()->setObjectName(QLatin1String(checkMenu));
    m_checkFileAction = addItem(check, checkFileAction, tr("检查文件"));
    m_checkAllAction = addItem(check, checkAllAction, tr("全体检查"));
    m_checkContentsAction = addItem(check, checkContentsAction, tr("内容检查"));
    // Added items come after the described ones, each after those added before it.
    m_undoRenameAction = addItem(m_fileMenu, undoRenameAction, tr("撤销重命名"));
    m_batchPreviewAction = addItem(m_fileMenu, batchPreviewAction, tr("批量预览…"));
}

void MainWindow::setTabOrder()
{
    const QList<QWidget*> order{
        m_fileList,        m_folderList,     m_driveList,       m_addressBox,     m_batchMode,
        m_singleMode,      m_nameFilter,     m_extensionFilter, m_runButton,      m_optionTexts[3],
        m_optionChecks[3], m_optionTexts[2], m_optionChecks[2], m_optionTexts[1], m_optionChecks[1],
        m_optionTexts[0],  m_optionChecks[0]};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void MainWindow::connectReactions()
{
    auto* navigation = new Navigation({*m_driveList, *m_folderList, *m_fileList, *m_extensionFilter,
                                       *m_nameFilter, *m_addressBox, *this},
                                      m_platform, this);
    connect(m_driveList, &DriveList::driveChanged, navigation, &Navigation::followDrive);
    connect(m_folderList, &FolderList::pathChanged, navigation, &Navigation::followFolder);
    connect(m_folderList, &FolderList::folderChosen, navigation, &Navigation::rereadFiles);
    connect(m_fileList, &FileList::folderLost, navigation, &Navigation::leaveLostFolder);
    connect(m_extensionFilter, &QLineEdit::textChanged, navigation, &Navigation::applyFilters);
    connect(m_nameFilter, &QLineEdit::textChanged, navigation, &Navigation::applyFilters);
    connect(m_fileList, &FileList::entryChosen, navigation, &Navigation::showFileSize);

    auto* address = new AddressBox({*m_driveList, *m_folderList, *m_addressBox}, m_platform, this);
    auto* addressClicks = new ClickSignals(*m_addressBox);
    connect(m_addressBox, &QLineEdit::textChanged, address, &AddressBox::applyEdit);
    connect(addressClicks, &ClickSignals::clicked, address, &AddressBox::apply);
    connect(addressClicks, &ClickSignals::doubleClicked, address, &AddressBox::selectWholeText);

    new Splitter(*m_splitterBar, *m_folderList, *m_fileList, this);

    auto* commands = new FileCommands({*m_fileList, *this, *m_fileMenu, *m_openFileAction,
                                       *m_deleteFileAction, *m_checkFileAction, *m_checkAllAction},
                                      m_platform, this);
    connect(m_fileList, &FileList::mouseReleased, commands, &FileCommands::popUpMenu);
    connect(m_fileList, &FileList::entryActivated, commands, &FileCommands::openFile);
    connect(m_openFolderAction, &QAction::triggered, commands, &FileCommands::openFolder);
    connect(m_openFileAction, &QAction::triggered, commands, &FileCommands::openFile);
    connect(m_deleteFileAction, &QAction::triggered, commands, &FileCommands::deleteFile);
    auto* contentCheck = new ContentCheck(*m_fileList, m_platform, this);
    connect(m_checkContentsAction, &QAction::triggered, contentCheck, &ContentCheck::checkContents);
    auto* sizeCheck = new SizeCheck(*m_fileList, m_platform, this);
    connect(m_checkFileAction, &QAction::triggered, sizeCheck, &SizeCheck::checkFile);
    connect(m_checkAllAction, &QAction::triggered, sizeCheck, &SizeCheck::checkAll);

    auto* options = new RenameOptionControls(
        {m_optionChecks, m_optionTexts, *m_batchMode, *m_singleMode}, this);
    for (QCheckBox* check : m_optionChecks)
        connect(check, &QCheckBox::clicked, options, &RenameOptionControls::showTickedOptions);
    for (QLineEdit* text : m_optionTexts)
        connect(text, &QLineEdit::textChanged, options, &RenameOptionControls::cleanOptionTexts);
    connect(m_batchMode, &QRadioButton::clicked, options, &RenameOptionControls::showSelectedMode);
    connect(m_singleMode, &QRadioButton::clicked, options, &RenameOptionControls::showSelectedMode);
    auto* preview = new LivePreview({*m_fileList, *m_runButton, *m_previewLabel, *this}, *options,
                                    m_renameState, m_platform, this);
    connect(m_previewTimer, &QTimer::timeout, preview, &LivePreview::tick);
    connect(m_previewLabel, &PreviewLabel::doubleClicked, preview, &LivePreview::showDetails);
    m_renameEngine = new RenameEngine(m_platform, this);
    new FileListFollower(*m_fileList, *m_renameEngine, this);
    auto* run = new RenameRun({*m_fileList, *this}, *options, m_renameState, *m_renameEngine,
                              m_platform, this);
    connect(m_runButton, &QPushButton::clicked, run, &RenameRun::run);
    auto* history = new OptionTextHistory(*options, m_optionTexts, this);
    connect(m_renameEngine, &RenameEngine::runStarted, history,
            &OptionTextHistory::recordUsedTexts);
    m_renameUndo = new RenameUndo({*this, *m_undoRenameAction}, *m_renameEngine, m_platform, this);
    connect(m_fileMenu, &QMenu::aboutToShow, m_renameUndo, &RenameUndo::updateUndoAction);
    connect(m_undoRenameAction, &QAction::triggered, m_renameUndo, &RenameUndo::undoLast);
    // A text box keeps Ctrl+Z for its own text while it has the focus.
    auto* undoKey = new QShortcut(QKeySequence::Undo, this);
    connect(undoKey, &QShortcut::activated, m_renameUndo, &RenameUndo::undoLast);
    auto* batchPreview =
        new BatchPreviewOpener({*m_fileList, *options, *m_renameEngine}, m_platform, *this);
    connect(m_batchPreviewAction, &QAction::triggered, batchPreview, &BatchPreviewOpener::open);
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, batchPreview,
            &BatchPreviewOpener::open);

    auto* watch = new FolderWatch({*m_folderList, *m_fileList}, this);
    connect(m_folderList, &FolderList::pathChanged, watch, &FolderWatch::follow);
    connect(m_fileList, &FileList::pathChanged, watch, &FolderWatch::follow);
    connect(watch, &FolderWatch::folderLost, navigation, &Navigation::leaveLostFolder);
    // The engine reads the folder itself after its own renames.
    connect(m_renameEngine, &RenameEngine::jobStarted, watch, &FolderWatch::pause);
    connect(m_renameEngine, &RenameEngine::jobEnded, watch, &FolderWatch::resume);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, watch,
            &FolderWatch::rereadNow);
}

void MainWindow::showStartFolder()
{
    const QByteArray start = m_platform.startFolder();
    m_driveList->listVolumes(m_platform, start);
    m_folderList->startIn(start);
}

void MainWindow::load()
{
    m_platform.attachSkin();
    // On a machine without drive "D" the lists stay on the start folder, without a word.
    std::ignore = m_driveList->setDrive("D");
    m_splitterBar->move(m_folderList->width(), m_splitterBar->y());
    m_splitterBar->move(m_splitterBar->x(), twipsToPixels(420));
    setCaptionColour(*m_batchMode, kHighlightColour);
    m_previewTimer->start();
    // Once the window shows, so that the question about a run cut short stands over it.
    QTimer::singleShot(0, m_renameUndo, &RenameUndo::offerInterruptedRuns);
}

} // namespace vornak
