#include "MainWindow.h"

#include "AppIcon.h"

#include "core/Twips.h"
#include "platform/Messages.h"
#include "widgets/CaptionColour.h"

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
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kProgramTitle);
    setWindowIcon(appIcon());
    setFixedSize(twipsToPixels(4845), twipsToPixels(4155));
    buildControls();
    buildPopupMenu();
    setTabOrder();
    m_navigation = std::make_unique<Navigation>(
        Navigation::Controls{*m_drive1, *m_dir1, *m_file1, *m_t1, *m_t2, *m_t3, *this},
        m_folderPath, m_platform);
    m_addressBox =
        std::make_unique<AddressBox>(AddressBox::Controls{*m_drive1, *m_dir1, *m_t3}, m_platform);
    m_t3Clicks = new ClickSignals(*m_t3);
    m_splitter = std::make_unique<Splitter>(*m_lab, *m_dir1, *m_file1);
    m_fileCommands = std::make_unique<FileCommands>(
        FileCommands::Controls{*m_file1, *this, *m_xuanXiang, *m_daKaiWenJian, *m_shanChuWenJian,
                               *m_jianchawenjian, *m_quantijiancha},
        m_folderPath, m_platform, [this](const QByteArray& path) { Http(path); });
    m_sizeCheck = std::make_unique<SizeCheck>(*m_file1, m_folderPath, m_platform);
    m_renameOptions = std::make_unique<RenameOptionControls>(
        RenameOptionControls::Controls{{m_check[0], m_check[1], m_check[2], m_check[3]},
                                       {m_text[0], m_text[1], m_text[2], m_text[3]},
                                       *m_op1,
                                       *m_op2});
    m_livePreview =
        std::make_unique<LivePreview>(LivePreview::Controls{*m_file1, *m_command1, *m_l1, *this},
                                      *m_renameOptions, m_folderPath, m_renameState, m_platform);
    m_renameRun = std::make_unique<RenameRun>(*m_file1, *m_renameOptions, m_renameState,
                                              m_folderPath, m_platform);
    connectReactions();
    showProcessFolder();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    m_frame1 = place<QFrame>(this, "Frame1", {0, -120, 4875, 3405});
    m_frame1->setFrameShape(QFrame::Box);
    m_file1 = place<FileList>(m_frame1, "File1", {2460, 420, 2320, 2610});
    m_dir1 = place<FolderList>(m_frame1, "Dir1", {0, 420, 2430, 2610});
    m_drive1 = place<DriveList>(m_frame1, "Drive1", {0, 120, 2445, 300});
    m_t3 = place<QLineEdit>(m_frame1, "T3", {2445, 120, 2355, 300});
    m_t3->setText(QStringLiteral("桌面"));
    m_t3->setToolTip(QStringLiteral("可直接输入地址 例如：输入c:\\windows"));
    m_op1 = place<QRadioButton>(m_frame1, "Op1", {3360, 3105, 675, 180});
    m_op1->setText(QStringLiteral("批量"));
    m_op1->setToolTip(QStringLiteral("批量更改"));
    m_op1->setChecked(true);
    m_op2 = place<QRadioButton>(m_frame1, "Op2", {4050, 3105, 675, 180});
    m_op2->setText(QStringLiteral("单个"));
    m_op2->setToolTip(QStringLiteral("单个更改"));
    setCaptionColour(*m_op2, kNormalColour);
    m_t2 = place<QLineEdit>(m_frame1, "T2", {720, 3060, 1095, 270});
    m_t2->setText(QStringLiteral("*"));
    m_t2->setToolTip(QStringLiteral("筛选文件名"));
    m_t1 = place<QLineEdit>(m_frame1, "T1", {2490, 3060, 795, 270});
    m_t1->setText(QStringLiteral("*"));
    m_t1->setToolTip(QStringLiteral("筛选文件后缀"));
    m_label2 = place<QLabel>(m_frame1, "Label2", {60, 3105, 720, 180});
    m_label2->setText(QStringLiteral("文件名："));
    m_label1 = place<QLabel>(m_frame1, "Label1", {1830, 3105, 720, 180});
    m_label1->setText(QStringLiteral("格式名："));
    m_lab = place<QLabel>(m_frame1, "lab", {2430, 420, 30, 2595});
    m_lab->setToolTip(QStringLiteral("按住可移动框体"));
    m_lab->setAutoFillBackground(true);
    QPalette barPalette = m_lab->palette();
    barPalette.setColor(QPalette::Window, QColor(0, 192, 192));
    m_lab->setPalette(barPalette);
    m_timer1 = new QTimer(m_frame1);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);

    m_command1 = place<QPushButton>(this, "Command1", {3990, 3825, 855, 360});
    m_command1->setText(QStringLiteral("执行"));
    static constexpr struct {
        const char* check;
        const char* text;
        const char* caption;
        int left;
        int top;
    } kOptions[4] = {{"Check1", "Text1", "前面加字", 30, 3300},
                     {"Check2", "Text2", "后面加字", 2460, 3300},
                     {"Check3", "Text3", "改文件名", 30, 3570},
                     {"Check4", "Text4", "改格式名", 2460, 3570}};
    for (int i = 0; i < 4; ++i) {
        const auto& option = kOptions[i];
        m_text[i] =
            place<QLineEdit>(this, option.text, {option.left + 1050, option.top, 1335, 270});
        m_text[i]->setEnabled(false);
        m_check[i] =
            place<QCheckBox>(this, option.check, {option.left, option.top + 30, 1035, 210});
        m_check[i]->setText(QString::fromUtf8(option.caption));
        setCaptionColour(*m_check[i], kNormalColour);
    }
    m_l1 = place<PreviewLabel>(this, "L1", {60, 3930, 3825, 195});
}

void MainWindow::buildPopupMenu()
{
    // The top item is never shown as a menu bar: the tree only opens as a popup.
    m_xuanXiang = new QMenu(QStringLiteral("选项"), this);
    m_xuanXiang->setObjectName(QStringLiteral("XuanXiang"));
    m_daKaiWenJianJia = addItem(m_xuanXiang, "DaKaiWenJianJia", QStringLiteral("打开文件夹"));
    m_daKaiWenJian = addItem(m_xuanXiang, "DaKaiWenJian", QStringLiteral("打开文件"));
    m_shanChuWenJian = addItem(m_xuanXiang, "ShanChuWenJian", QStringLiteral("删除文件"));
    m_jiancha = m_xuanXiang->addMenu(QStringLiteral("检查"));
    m_jiancha->setObjectName(QStringLiteral("jiancha"));
    m_jiancha->menuAction()->setObjectName(QStringLiteral("jiancha"));
    m_jianchawenjian = addItem(m_jiancha, "jianchawenjian", QStringLiteral("检查文件"));
    m_quantijiancha = addItem(m_jiancha, "quantijiancha", QStringLiteral("全体检查"));
}

void MainWindow::setTabOrder()
{
    const QList<QWidget*> order{m_file1,    m_dir1,    m_drive1,   m_t3,      m_op1,      m_op2,
                                m_t2,       m_t1,      m_command1, m_text[3], m_check[3], m_text[2],
                                m_check[2], m_text[1], m_check[1], m_text[0], m_check[0]};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void MainWindow::connectReactions()
{
    Navigation& navigation = *m_navigation;
    connect(m_drive1, &DriveList::changed, this, [&navigation] { navigation.onDriveChanged(); });
    connect(m_dir1, &FolderList::changed, this, [&navigation] { navigation.onFolderChanged(); });
    connect(m_dir1, &FolderList::clicked, this, [&navigation] { navigation.onFolderClicked(); });
    connect(m_t1, &QLineEdit::textChanged, this, [&navigation] { navigation.onFilterChanged(); });
    connect(m_t2, &QLineEdit::textChanged, this, [&navigation] { navigation.onFilterChanged(); });
    connect(m_file1, &FileList::clicked, this, [&navigation] { navigation.onFileClicked(); });
    // Commands must never act on the folder shown before a navigation.
    connect(m_file1, &FileList::pathChanged, this,
            [this] { m_folderPath.update(m_file1->path()); });
    AddressBox& addressBox = *m_addressBox;
    connect(m_t3, &QLineEdit::textChanged, this, [&addressBox] { addressBox.onChanged(); });
    connect(m_t3Clicks, &ClickSignals::clicked, this, [&addressBox] { addressBox.onClicked(); });
    connect(m_t3Clicks, &ClickSignals::doubleClicked, this,
            [&addressBox] { addressBox.onDoubleClicked(); });

    FileCommands& commands = *m_fileCommands;
    connect(
        m_file1, &FileList::mouseReleased, this,
        [&commands](Qt::MouseButton button, QPoint pos) { commands.onFileMouseUp(button, pos); });
    connect(m_file1, &FileList::doubleClicked, this, [&commands] { commands.onOpenFile(); });
    connect(m_daKaiWenJianJia, &QAction::triggered, this, [&commands] { commands.onOpenFolder(); });
    connect(m_daKaiWenJian, &QAction::triggered, this, [&commands] { commands.onOpenFile(); });
    connect(m_shanChuWenJian, &QAction::triggered, this, [&commands] { commands.onDeleteFile(); });
    SizeCheck& sizeCheck = *m_sizeCheck;
    connect(m_jianchawenjian, &QAction::triggered, this, [&sizeCheck] { sizeCheck.onCheckFile(); });
    connect(m_quantijiancha, &QAction::triggered, this, [&sizeCheck] { sizeCheck.onCheckAll(); });

    RenameOptionControls& options = *m_renameOptions;
    for (std::size_t i = 0; i < RenameOptionControls::kPairs; ++i) {
        connect(m_check[i], &QCheckBox::clicked, this,
                [&options, i] { options.onCheckClicked(i); });
        connect(m_text[i], &QLineEdit::textChanged, this,
                [&options, i] { options.CleanOptionText(i); });
    }
    connect(m_op1, &QRadioButton::clicked, this, [&options] { options.onModeClicked(); });
    connect(m_op2, &QRadioButton::clicked, this, [&options] { options.onModeClicked(); });
    LivePreview& preview = *m_livePreview;
    connect(m_timer1, &QTimer::timeout, this, [&preview] { preview.PreviewTick(); });
    connect(m_l1, &PreviewLabel::doubleClicked, this, [&preview] { preview.ShowPreviewDetails(); });
    RenameRun& run = *m_renameRun;
    connect(m_command1, &QPushButton::clicked, this, [&run] { run.RunRename(); });
}

void MainWindow::showProcessFolder()
{
    const QList<Volume> volumes = m_platform.volumes();
    const QByteArray current = m_platform.startFolder();
    m_drive1->setVolumes(volumes, current);
    m_dir1->setVolumes(volumes, current);
    m_dir1->setPath(current);
}

void MainWindow::load()
{
    m_platform.attachSkin();
    m_drive1->setDrive("D");
    m_lab->move(m_dir1->width(), m_lab->y());
    m_lab->move(m_lab->x(), twipsToPixels(420));
    setCaptionColour(*m_op1, kHighlightColour);
    m_timer1->start();
}

void MainWindow::Http(const QByteArray& path)
{
    m_platform.shellOpen(path);
}

} // namespace vornak
