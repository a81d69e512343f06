#include "app/MainWindow.h"

#include "platform/CaptionColour.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vornak;
using vornak::test::makeFile;

namespace {

const QString kMissingFileText = QStringLiteral("没有此文件！请检查！");

QList<QByteArray> namesOf(const FileList& list)
{
    QList<QByteArray> names;
    for (int i = 0; i < list.count(); ++i)
        names.append(list.entryName(i));
    return names;
}

QString captionOf(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return {};
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void controlTable_data();
    void controlTable();
    void windowFrame();
    void initialStates();
    void tabOrder();
    void popupMenuTree();
    void loadSteps();
    void driveChainMovesFolderAndFiles();
    void addressBoxFollowsOnlyInAddressMode_data();
    void addressBoxFollowsOnlyInAddressMode();
    void filtersNarrowTheFileList_data();
    void filtersNarrowTheFileList();
    void folderClickReadsTheFolderAgain();
    void fileClickShowsTheSize_data();
    void fileClickShowsTheSize();
    void arrowKeyShowsTheSize();
    void vanishedFileGivesRefreshAndMessage();
    void folderPathFollowsTheFileListAtOnce();

private:
    QByteArray at(const QByteArray& name) const { return m_folder + '/' + name; }
    void openWindow();
    template <typename T> T* control(const char* name) const
    {
        return m_window->findChild<T*>(QLatin1String(name));
    }
    void clickEntry(const QByteArray& name);

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;
    std::unique_ptr<test::TestPlatform> m_platform;
    std::unique_ptr<MainWindow> m_window;
    FileList* m_file1 = nullptr;
};

void MainWindowTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // The lists start on the process's current folder.
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_folder = QFile::encodeName(QDir::currentPath());
    m_platform = std::make_unique<test::TestPlatform>();
}

void MainWindowTest::cleanup()
{
    m_window.reset();
    QDir::setCurrent(QDir::rootPath());
    test::removeUndecodableFiles(m_folder);
    m_dir.reset();
}

void MainWindowTest::openWindow()
{
    m_window = std::make_unique<MainWindow>(*m_platform);
    m_window->load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_file1 = control<FileList>("File1");
    QVERIFY(m_file1);
}

void MainWindowTest::clickEntry(const QByteArray& name)
{
    const qsizetype row = namesOf(*m_file1).indexOf(name);
    QVERIFY2(row >= 0, name.constData());
    const QModelIndex index = m_file1->model()->index(int(row), 0);
    m_file1->scrollTo(index);
    QTRY_VERIFY(m_file1->visualRect(index).isValid());
    QTest::mouseClick(m_file1->viewport(), Qt::LeftButton, {}, m_file1->visualRect(index).center());
}

void MainWindowTest::controlTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QRect>("twips");

    const auto row = [](const char* name, const char* kind, const char* container,
                        const char* caption, const char* tooltip, QRect twips) {
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(kind)
                            << QString::fromUtf8(container) << QString::fromUtf8(caption)
                            << QString::fromUtf8(tooltip) << twips;
    };
    row("Frame1", "QFrame", "Form1", "", "", {0, -120, 4875, 3405});
    row("File1", "vornak::FileList", "Frame1", "", "", {2460, 420, 2320, 2610});
    row("Dir1", "vornak::FolderList", "Frame1", "", "", {0, 420, 2430, 2610});
    row("Drive1", "vornak::DriveList", "Frame1", "", "", {0, 120, 2445, 300});
    row("T3", "QLineEdit", "Frame1", "桌面", "可直接输入地址 例如：输入c:\\windows",
        {2445, 120, 2355, 300});
    row("Op1", "QRadioButton", "Frame1", "批量", "批量更改", {3360, 3105, 675, 180});
    row("Op2", "QRadioButton", "Frame1", "单个", "单个更改", {4050, 3105, 675, 180});
    row("T2", "QLineEdit", "Frame1", "*", "筛选文件名", {720, 3060, 1095, 270});
    row("T1", "QLineEdit", "Frame1", "*", "筛选文件后缀", {2490, 3060, 795, 270});
    row("Label2", "QLabel", "Frame1", "文件名：", "", {60, 3105, 720, 180});
    row("Label1", "QLabel", "Frame1", "格式名：", "", {1830, 3105, 720, 180});
    row("Command1", "QPushButton", "Form1", "执行", "", {3990, 3825, 855, 360});
    row("Text4", "QLineEdit", "Form1", "", "", {3510, 3570, 1335, 270});
    row("Check4", "QCheckBox", "Form1", "改格式名", "", {2460, 3600, 1035, 210});
    row("Text3", "QLineEdit", "Form1", "", "", {1080, 3570, 1335, 270});
    row("Check3", "QCheckBox", "Form1", "改文件名", "", {30, 3600, 1035, 210});
    row("Text2", "QLineEdit", "Form1", "", "", {3510, 3300, 1335, 270});
    row("Check2", "QCheckBox", "Form1", "后面加字", "", {2460, 3330, 1035, 210});
    row("Text1", "QLineEdit", "Form1", "", "", {1080, 3300, 1335, 270});
    row("Check1", "QCheckBox", "Form1", "前面加字", "", {30, 3330, 1035, 210});
    row("L1", "QLabel", "Form1", "", "", {60, 3930, 3825, 195});
    row("lab", "QLabel", "Frame1", "", "按住可移动框体", {2430, 420, 30, 2595});
}

void MainWindowTest::controlTable()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    QFETCH(QRect, twips);

    openWindow();
    const auto* widget = m_window->findChild<QWidget*>(name);
    QVERIFY(widget);
    QVERIFY2(widget->inherits(kind.toLatin1().constData()), widget->metaObject()->className());
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(captionOf(widget), caption);
    QCOMPARE(widget->toolTip(), tooltip);
    const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    QCOMPARE(widget->geometry(), pixels);
}

void MainWindowTest::windowFrame()
{
    openWindow();
    QCOMPARE(m_window->objectName(), QStringLiteral("Form1"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vornak"));
    const QSize client(4845 / 15, 4155 / 15);
    QCOMPARE(m_window->size(), client);
    QCOMPARE(m_window->minimumSize(), client);
    QCOMPARE(m_window->maximumSize(), client);
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_window->findChild<QMenuBar*>());
    const QList<QSize> sizes = m_window->windowIcon().availableSizes();
    for (int side : {16, 32, 48, 64})
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
}

void MainWindowTest::initialStates()
{
    openWindow();
    QVERIFY(control<QRadioButton>("Op1")->isChecked());
    QVERIFY(!control<QRadioButton>("Op2")->isChecked());
    QCOMPARE(captionColour(*control<QRadioButton>("Op2")), kNormalColour);
    for (int i = 1; i <= 4; ++i) {
        const QByteArray check = "Check" + QByteArray::number(i);
        const QByteArray text = "Text" + QByteArray::number(i);
        QVERIFY(!control<QCheckBox>(check.constData())->isChecked());
        QCOMPARE(captionColour(*control<QCheckBox>(check.constData())), kNormalColour);
        QVERIFY(!control<QLineEdit>(text.constData())->isEnabled());
    }
    for (const char* box : {"T1", "T2", "T3"})
        QVERIFY(control<QLineEdit>(box)->isEnabled());
    QVERIFY(control<QPushButton>("Command1")->isEnabled());
    QCOMPARE(m_file1->selectionMode(), QAbstractItemView::SingleSelection);
    auto* lab = control<QLabel>("lab");
    QVERIFY(lab->autoFillBackground());
    QCOMPARE(lab->palette().color(QPalette::Window), QColor(0, 192, 192));
    auto* timer = m_window->findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 100);
    QVERIFY(timer->isActive());
}

void MainWindowTest::tabOrder()
{
    openWindow();
    const QStringList expected{"File1",  "Dir1",  "Drive1",   "T3",    "Op1",    "Op2",
                               "T2",     "T1",    "Command1", "Text4", "Check4", "Text3",
                               "Check3", "Text2", "Check2",   "Text1", "Check1"};
    QStringList seen;
    QWidget* start = control<QWidget>("File1");
    QWidget* widget = start;
    do {
        if (expected.contains(widget->objectName()) && !seen.contains(widget->objectName()))
            seen.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != start);
    QCOMPARE(seen, expected);
}

void MainWindowTest::popupMenuTree()
{
    openWindow();
    auto* top = m_window->findChild<QMenu*>(QStringLiteral("XuanXiang"));
    QVERIFY(top);
    QCOMPARE(top->title(), QStringLiteral("选项"));
    QVERIFY(!top->isVisible());

    const auto itemsOf = [](const QMenu* menu) {
        QStringList items;
        for (const QAction* action : menu->actions()) {
            items.append(action->objectName() + u' ' + action->text());
            if (!action->isEnabled() || !action->isVisible())
                items.last() += QStringLiteral(" (off)");
        }
        return items;
    };
    QCOMPARE(itemsOf(top), (QStringList{"DaKaiWenJianJia 打开文件夹", "DaKaiWenJian 打开文件",
                                        "ShanChuWenJian 删除文件", "jiancha 检查"}));
    const QMenu* check = top->actions().last()->menu();
    QVERIFY(check);
    QCOMPARE(itemsOf(check), (QStringList{"jianchawenjian 检查文件", "quantijiancha 全体检查"}));
}

void MainWindowTest::loadSteps()
{
    QVERIFY(makeFile(at("one.txt")));
    openWindow();
    QCOMPARE(m_platform->skinAttached, 1);
    // There is no drive "D": the lists stay on the process's current folder, without a word.
    QCOMPARE(control<DriveList>("Drive1")->drive(), QByteArray("/"));
    QCOMPARE(control<FolderList>("Dir1")->path(), m_folder);
    QCOMPARE(m_file1->path(), m_folder);
    QCOMPARE(namesOf(*m_file1), QList<QByteArray>{"one.txt"});
    QCOMPARE(control<QLineEdit>("T3")->text(), QStringLiteral("桌面"));
    QVERIFY(m_platform->messages.isEmpty());
    QCOMPARE(control<QLabel>("lab")->pos(), QPoint(2430 / 15, 420 / 15));
    QCOMPARE(captionColour(*control<QRadioButton>("Op1")), kHighlightColour);
    QCOMPARE(captionColour(*control<QRadioButton>("Op2")), kNormalColour);
}

void MainWindowTest::driveChainMovesFolderAndFiles()
{
    QTemporaryDir otherDir;
    QVERIFY(otherDir.isValid());
    const QByteArray other = QFile::encodeName(otherDir.path());
    QVERIFY(makeFile(other + "/elsewhere.txt"));
    QVERIFY(makeFile(at("here.txt")));
    m_platform->volumeList = {{"/", QStringLiteral("/")}, {other, QStringLiteral("other")}};
    openWindow();
    auto* drive1 = control<DriveList>("Drive1");
    auto* dir1 = control<FolderList>("Dir1");

    QVERIFY(drive1->setDrive(other));
    QCOMPARE(dir1->path(), other);
    QCOMPARE(m_file1->path(), other);
    QCOMPARE(namesOf(*m_file1), QList<QByteArray>{"elsewhere.txt"});
    QCOMPARE(control<QLineEdit>("T3")->text(), QStringLiteral("桌面"));

    QVERIFY(drive1->setDrive("/"));
    QCOMPARE(dir1->path(), m_folder);
    QCOMPARE(namesOf(*m_file1), QList<QByteArray>{"here.txt"});
    QVERIFY(m_platform->messages.isEmpty());
}

void MainWindowTest::addressBoxFollowsOnlyInAddressMode_data()
{
    QTest::addColumn<bool>("addressMode");
    QTest::newRow("desktop mode") << false;
    QTest::newRow("address mode") << true;
}

void MainWindowTest::addressBoxFollowsOnlyInAddressMode()
{
    QFETCH(bool, addressMode);
    QVERIFY(::mkdir(at("sub").constData(), 0755) == 0);
    QVERIFY(makeFile(at("sub/inner.txt")));
    openWindow();
    auto* t3 = control<QLineEdit>("T3");
    if (addressMode)
        t3->setText(QFile::decodeName(m_folder));
    const QString before = t3->text();

    QVERIFY(control<FolderList>("Dir1")->setPath(at("sub")));
    QCOMPARE(m_file1->path(), at("sub"));
    QCOMPARE(namesOf(*m_file1), QList<QByteArray>{"inner.txt"});
    QCOMPARE(t3->text(), addressMode ? QFile::decodeName(at("sub")) : before);
}

void MainWindowTest::filtersNarrowTheFileList_data()
{
    QTest::addColumn<QString>("nameFilter");
    QTest::addColumn<QString>("extensionFilter");
    QTest::addColumn<QList<QByteArray>>("expected");

    const QList<QByteArray> all{"a.btxt", "a.txt", "abc.log",   "abcnote",
                                "B.TXT",  "notes", "report.md", "xabc.txt.bak"};
    QTest::newRow("initial") << "*"
                             << "*" << all;
    QTest::newRow("extension emptied") << "*"
                                       << "" << all;
    QTest::newRow("extension txt") << "*"
                                   << "txt" << QList<QByteArray>{"a.txt", "B.TXT", "xabc.txt.bak"};
    QTest::newRow("a character no name holds keeps the pattern")
        << "*"
        << "txt/" << QList<QByteArray>{"a.txt", "B.TXT", "xabc.txt.bak"};
    QTest::newRow("name abc") << "abc"
                              << "*" << QList<QByteArray>{"abc.log", "abcnote", "xabc.txt.bak"};
    QTest::newRow("name abc, extension emptied")
        << "abc"
        << "" << QList<QByteArray>{"abc.log", "abcnote", "xabc.txt.bak"};
    QTest::newRow("name abc, extension txt") << "abc"
                                             << "txt" << QList<QByteArray>{"xabc.txt.bak"};
    QTest::newRow("name emptied, extension md") << ""
                                                << "md" << QList<QByteArray>{"report.md"};
    QTest::newRow("two patterns") << "*"
                                  << "md;*.log" << QList<QByteArray>{"abc.log", "report.md"};
}

void MainWindowTest::filtersNarrowTheFileList()
{
    QFETCH(QString, nameFilter);
    QFETCH(QString, extensionFilter);
    QFETCH(QList<QByteArray>, expected);
    for (const char* name :
         {"a.btxt", "a.txt", "abc.log", "abcnote", "B.TXT", "notes", "report.md", "xabc.txt.bak"})
        QVERIFY(makeFile(at(name)));
    openWindow();
    // Typed key by key, as the user does: every keystroke rebuilds the pattern.
    for (auto [box, text] : {std::pair{"T2", nameFilter}, std::pair{"T1", extensionFilter}}) {
        auto* edit = control<QLineEdit>(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text(), text);
    }
    QCOMPARE(namesOf(*m_file1), expected);
}

void MainWindowTest::folderClickReadsTheFolderAgain()
{
    QVERIFY(makeFile(at("old.txt")));
    openWindow();
    QVERIFY(makeFile(at("new.txt")));
    QCOMPARE(namesOf(*m_file1), QList<QByteArray>{"old.txt"});

    auto* dir1 = control<FolderList>("Dir1");
    QTreeWidgetItem* current = dir1->currentItem();
    QVERIFY(current);
    dir1->scrollToItem(current);
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, dir1->visualItemRect(current).center());
    QCOMPARE(namesOf(*m_file1), (QList<QByteArray>{"new.txt", "old.txt"}));
    QCOMPARE(dir1->path(), m_folder);
}

void MainWindowTest::fileClickShowsTheSize_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << QByteArray("empty.txt") << "0B，约0KB";
    QTest::newRow("megabytes") << QByteArray("five.bin") << "5000000B，约4.77MB";
    QTest::newRow("beyond 32 bits") << QByteArray("big.bin") << "3221225472B，约3072MB";
    QTest::newRow("name that is not UTF-8") << QByteArray("odd \xff.bin") << "6B，约0.01KB";
    QTest::newRow("its look-alike") << QByteArray("odd \xfe.bin") << "1536B，约1.5KB";
}

void MainWindowTest::fileClickShowsTheSize()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, title);
    QVERIFY(makeFile(at("empty.txt"), 0));
    QVERIFY(makeFile(at("five.bin"), 5000000));
    QVERIFY(makeFile(at("big.bin"), qint64(3) << 30));
    QVERIFY(makeFile(at("odd \xff.bin"), 6));
    QVERIFY(makeFile(at("odd \xfe.bin"), 1536));
    openWindow();
    clickEntry(name);
    QCOMPARE(m_file1->selectedName(), name);
    QCOMPARE(m_window->windowTitle(), title);
    QVERIFY(m_platform->messages.isEmpty());
}

void MainWindowTest::arrowKeyShowsTheSize()
{
    QVERIFY(makeFile(at("a.bin"), 512));
    QVERIFY(makeFile(at("b.bin"), 1030));
    openWindow();
    clickEntry("a.bin");
    QCOMPARE(m_window->windowTitle(), QStringLiteral("512B，约0.5KB"));
    QTest::keyClick(m_file1, Qt::Key_Down);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("1030B，约1.01KB"));
}

void MainWindowTest::vanishedFileGivesRefreshAndMessage()
{
    QVERIFY(makeFile(at("gone.txt"), 1));
    QVERIFY(makeFile(at("keep.txt"), 512));
    openWindow();
    clickEntry("keep.txt");
    QCOMPARE(m_window->windowTitle(), QStringLiteral("512B，约0.5KB"));

    QVERIFY(::unlink(at("gone.txt").constData()) == 0);
    clickEntry("gone.txt");
    QCOMPARE(namesOf(*m_file1), QList<QByteArray>{"keep.txt"});
    QCOMPARE(m_platform->messages.size(), 1);
    const test::ShownMessage& shown = m_platform->messages.first();
    // The selection went with the file: the name read after the refresh is empty.
    QCOMPARE(shown.prompt, QStringLiteral("位置：") + u'\r' + QFile::decodeName(m_folder) + u'/' +
                               u'\r' + kMissingFileText);
    QCOMPARE(shown.title, QStringLiteral("出错提示!"));
    QCOMPARE(shown.buttons, MessageButtons::Ok);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("512B，约0.5KB"));
}

// Without a tick of the timer, a command right after a navigation must address the new folder.
void MainWindowTest::folderPathFollowsTheFileListAtOnce()
{
    QVERIFY(::mkdir(at("sub").constData(), 0755) == 0);
    QVERIFY(makeFile(at("sub/inner.txt"), 1));
    openWindow();
    m_window->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    QVERIFY(control<FolderList>("Dir1")->setPath(at("sub")));
    QVERIFY(::unlink(at("sub/inner.txt").constData()) == 0);
    clickEntry("inner.txt");
    QCOMPARE(m_platform->messages.size(), 1);
    QCOMPARE(m_platform->messages.first().prompt, QStringLiteral("位置：") + u'\r' +
                                                      QFile::decodeName(at("sub/")) + u'\r' +
                                                      kMissingFileText);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
