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
using Names = QList<QByteArray>;

namespace {

const Names kAll{"a.btxt", "a.txt", "abc.log",   "abcnote",
                 "B.TXT",  "notes", "report.md", "xabc.txt.bak"};

Names namesOf(const FileList& list)
{
    Names names;
    for (int i = 0; i < list.count(); ++i)
        names.append(list.entryName(i));
    return names;
}

QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions())
        items.append(action->objectName() + u' ' + action->text() +
                     (action->isEnabled() && action->isVisible() ? "" : " (off)"));
    return items;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_folder;
    std::unique_ptr<test::TestPlatform> m_platform;
    std::unique_ptr<MainWindow> m_window;
    FileList* m_file1 = nullptr;

    QByteArray at(const QByteArray& name) const { return m_folder + '/' + name; }
    template <typename T = QWidget> T* control(const char* name) const
    {
        return m_window->findChild<T*>(QLatin1String(name));
    }
    void openWindow()
    {
        m_window = std::make_unique<MainWindow>(*m_platform);
        m_window->load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_file1 = control<FileList>("File1");
    }
    void clickEntry(const QByteArray& name)
    {
        const QModelIndex index = m_file1->model()->index(int(namesOf(*m_file1).indexOf(name)), 0);
        QVERIFY2(index.isValid(), name.constData());
        m_file1->scrollTo(index);
        QTRY_VERIFY(m_file1->visualRect(index).isValid());
        QTest::mouseClick(m_file1->viewport(), Qt::LeftButton, {},
                          m_file1->visualRect(index).center());
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // The lists start on the process's current folder.
        QVERIFY(m_dir->isValid() && QDir::setCurrent(m_dir->path()));
        m_folder = QFile::encodeName(QDir::currentPath());
        m_platform = std::make_unique<test::TestPlatform>();
    }

    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(QDir::rootPath());
        test::removeUndecodableFiles(m_folder);
        m_dir.reset();
    }

    void controlTable_data()
    {
        // Kind, container, caption and tooltip; the geometry in twips.
        QTest::addColumn<QStringList>("what");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* name, QStringList what, QRect twips) {
            QTest::newRow(name) << what << twips;
        };
        row("Frame1", {"QFrame", "Form1", "", ""}, {0, -120, 4875, 3405});
        row("File1", {"vornak::FileList", "Frame1", "", ""}, {2460, 420, 2320, 2610});
        row("Dir1", {"vornak::FolderList", "Frame1", "", ""}, {0, 420, 2430, 2610});
        row("Drive1", {"vornak::DriveList", "Frame1", "", ""}, {0, 120, 2445, 300});
        row("T3", {"QLineEdit", "Frame1", "桌面", "可直接输入地址 例如：输入c:\\windows"},
            {2445, 120, 2355, 300});
        row("Op1", {"QRadioButton", "Frame1", "批量", "批量更改"}, {3360, 3105, 675, 180});
        row("Op2", {"QRadioButton", "Frame1", "单个", "单个更改"}, {4050, 3105, 675, 180});
        row("T2", {"QLineEdit", "Frame1", "*", "筛选文件名"}, {720, 3060, 1095, 270});
        row("T1", {"QLineEdit", "Frame1", "*", "筛选文件后缀"}, {2490, 3060, 795, 270});
        row("Label2", {"QLabel", "Frame1", "文件名：", ""}, {60, 3105, 720, 180});
        row("Label1", {"QLabel", "Frame1", "格式名：", ""}, {1830, 3105, 720, 180});
        row("Command1", {"QPushButton", "Form1", "执行", ""}, {3990, 3825, 855, 360});
        row("Text4", {"QLineEdit", "Form1", "", ""}, {3510, 3570, 1335, 270});
        row("Check4", {"QCheckBox", "Form1", "改格式名", ""}, {2460, 3600, 1035, 210});
        row("Text3", {"QLineEdit", "Form1", "", ""}, {1080, 3570, 1335, 270});
        row("Check3", {"QCheckBox", "Form1", "改文件名", ""}, {30, 3600, 1035, 210});
        row("Text2", {"QLineEdit", "Form1", "", ""}, {3510, 3300, 1335, 270});
        row("Check2", {"QCheckBox", "Form1", "后面加字", ""}, {2460, 3330, 1035, 210});
        row("Text1", {"QLineEdit", "Form1", "", ""}, {1080, 3300, 1335, 270});
        row("Check1", {"QCheckBox", "Form1", "前面加字", ""}, {30, 3330, 1035, 210});
        row("L1", {"QLabel", "Form1", "", ""}, {60, 3930, 3825, 195});
        row("lab", {"QLabel", "Frame1", "", "按住可移动框体"}, {2430, 420, 30, 2595});
    }

    void controlTable()
    {
        QFETCH(QStringList, what);
        QFETCH(QRect, twips);
        openWindow();
        const auto* widget = control(QTest::currentDataTag());
        QVERIFY(widget);
        QVERIFY2(widget->inherits(qPrintable(what[0])), widget->metaObject()->className());
        QCOMPARE((QStringList{widget->parentWidget()->objectName(),
                              widget->property("text").toString(), widget->toolTip()}),
                 what.mid(1));
        QCOMPARE(widget->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    }

    void windowFrame()
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
        const QList<QSize> sizes = m_window->windowIcon().availableSizes();
        for (int side : {16, 32, 48, 64})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }

    void tabOrder()
    {
        openWindow();
        const QStringList expected{"File1",  "Dir1",  "Drive1",   "T3",    "Op1",    "Op2",
                                   "T2",     "T1",    "Command1", "Text4", "Check4", "Text3",
                                   "Check3", "Text2", "Check2",   "Text1", "Check1"};
        QStringList seen;
        QWidget* widget = m_file1;
        do {
            if (expected.contains(widget->objectName()) && !seen.contains(widget->objectName()))
                seen.append(widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget != m_file1);
        QCOMPARE(seen, expected);
    }

    void popupMenuTree()
    {
        openWindow();
        QVERIFY(!m_window->findChild<QMenuBar*>());
        auto* top = control<QMenu>("XuanXiang");
        QVERIFY(top && !top->isVisible());
        QCOMPARE(top->title(), QStringLiteral("选项"));
        QCOMPARE(itemsOf(top), (QStringList{"DaKaiWenJianJia 打开文件夹", "DaKaiWenJian 打开文件",
                                            "ShanChuWenJian 删除文件", "jiancha 检查"}));
        const QMenu* check = top->actions().last()->menu();
        QVERIFY(check);
        QCOMPARE(itemsOf(check),
                 (QStringList{"jianchawenjian 检查文件", "quantijiancha 全体检查"}));
    }

    void loadSteps()
    {
        QVERIFY(makeFile(at("one.txt")));
        openWindow();
        QCOMPARE(m_platform->skinAttached, 1);
        // There is no drive "D": the lists stay on the process's current folder, without a word.
        QCOMPARE(control<DriveList>("Drive1")->drive(), QByteArray("/"));
        QCOMPARE(control<FolderList>("Dir1")->path(), m_folder);
        QCOMPARE(m_file1->path(), m_folder);
        QCOMPARE(namesOf(*m_file1), Names{"one.txt"});
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(control("lab")->pos(), QPoint(2430 / 15, 420 / 15));
        QVERIFY(control<QRadioButton>("Op1")->isChecked());
        QCOMPARE(captionColour(*control<QRadioButton>("Op1")), kHighlightColour);
        QCOMPARE(captionColour(*control<QRadioButton>("Op2")), kNormalColour);
    }

    void navigationChains_data()
    {
        QTest::addColumn<bool>("addressMode");
        QTest::newRow("desktop mode") << false;
        QTest::newRow("address mode") << true;
    }

    // Drive1 moves Dir1, Dir1 moves File1; T3 follows Dir1 only when it shows an address.
    void navigationChains()
    {
        QFETCH(bool, addressMode);
        QTemporaryDir otherDir;
        const QByteArray other = QFile::encodeName(otherDir.path());
        const QByteArray sub = at("sub");
        QVERIFY(makeFile(other + "/elsewhere.txt") && ::mkdir(sub.constData(), 0755) == 0);
        QVERIFY(makeFile(sub + "/inner.txt"));
        m_platform->volumeList = {{"/", QStringLiteral("/")}, {other, QStringLiteral("other")}};
        openWindow();
        auto* dir1 = control<FolderList>("Dir1");
        auto* drive1 = control<DriveList>("Drive1");
        auto* t3 = control<QLineEdit>("T3");
        if (addressMode)
            t3->setText(QFile::decodeName(m_folder));
        const QString desktop = t3->text();
        const auto check = [&](const QByteArray& folder, const QByteArray& file) {
            QCOMPARE(dir1->path(), folder);
            QCOMPARE(m_file1->path(), folder);
            QCOMPARE(namesOf(*m_file1), Names{file});
            QCOMPARE(t3->text(), addressMode ? QFile::decodeName(folder) : desktop);
        };
        QVERIFY(dir1->setPath(sub));
        check(sub, "inner.txt");
        QVERIFY(drive1->setDrive(other));
        check(other, "elsewhere.txt");
        // Back on "/", Dir1 returns to the folder it left there.
        QVERIFY(drive1->setDrive("/"));
        check(sub, "inner.txt");
        QVERIFY(m_platform->messages.isEmpty());
    }

    void filtersNarrowTheFileList_data()
    {
        QTest::addColumn<QString>("nameFilter");
        QTest::addColumn<QString>("extensionFilter");
        QTest::addColumn<Names>("expected");
        const auto row = [](const char* tag, const char* name, const char* extension,
                            Names expected) {
            QTest::newRow(tag) << QString::fromUtf8(name) << QString::fromUtf8(extension)
                               << expected;
        };
        row("extension emptied", "*", "", kAll);
        row("extension txt", "*", "txt", {"a.txt", "B.TXT", "xabc.txt.bak"});
        row("a character no name holds keeps the pattern", "*", "txt/",
            {"a.txt", "B.TXT", "xabc.txt.bak"});
        row("name abc", "abc", "*", {"abc.log", "abcnote", "xabc.txt.bak"});
        row("name abc, extension txt", "abc", "txt", {"xabc.txt.bak"});
        row("name emptied, extension md", "", "md", {"report.md"});
        row("two patterns", "*", "md;*.log", {"abc.log", "report.md"});
    }

    void filtersNarrowTheFileList()
    {
        QFETCH(QString, nameFilter);
        QFETCH(QString, extensionFilter);
        QFETCH(Names, expected);
        for (const QByteArray& name : kAll)
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

    void folderClickReadsTheFolderAgain()
    {
        QVERIFY(makeFile(at("old.txt")));
        openWindow();
        QVERIFY(makeFile(at("new.txt")));
        QCOMPARE(namesOf(*m_file1), Names{"old.txt"});
        auto* dir1 = control<FolderList>("Dir1");
        QTreeWidgetItem* current = dir1->currentItem();
        QVERIFY(current);
        dir1->scrollToItem(current);
        QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {},
                          dir1->visualItemRect(current).center());
        QCOMPARE(namesOf(*m_file1), (Names{"new.txt", "old.txt"}));
        QCOMPARE(dir1->path(), m_folder);
    }

    void fileClickShowsTheSize_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("empty") << QByteArray("empty.txt") << "0B，约0KB";
        QTest::newRow("beyond 32 bits") << QByteArray("big.bin") << "3221225472B，约3072MB";
        QTest::newRow("name that is not UTF-8") << QByteArray("odd \xff.bin") << "6B，约0.01KB";
        QTest::newRow("its look-alike") << QByteArray("odd \xfe.bin") << "1536B，约1.5KB";
    }

    void fileClickShowsTheSize()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, title);
        QVERIFY(makeFile(at("empty.txt"), 0) && makeFile(at("big.bin"), qint64(3) << 30));
        QVERIFY(makeFile(at("odd \xff.bin"), 6) && makeFile(at("odd \xfe.bin"), 1536));
        openWindow();
        clickEntry(name);
        QCOMPARE(m_file1->selectedName(), name);
        QCOMPARE(m_window->windowTitle(), title);
        QVERIFY(m_platform->messages.isEmpty());
    }

    // Timer1 is stopped before the move to "sub": the message must still name the folder the
    // file list was moved to, so FolderPath follows File1 at once.
    void vanishedFileGivesRefreshAndMessage()
    {
        QVERIFY(makeFile(at("keep.txt"), 512) && ::mkdir(at("sub").constData(), 0755) == 0);
        QVERIFY(makeFile(at("sub/gone.txt"), 1) && makeFile(at("sub/stay.txt"), 1));
        openWindow();
        clickEntry("keep.txt");
        QCOMPARE(m_window->windowTitle(), QStringLiteral("512B，约0.5KB"));
        control<QTimer>("Timer1")->stop();
        QVERIFY(control<FolderList>("Dir1")->setPath(at("sub")));
        QVERIFY(::unlink(at("sub/gone.txt").constData()) == 0);
        clickEntry("gone.txt");
        QCOMPARE(namesOf(*m_file1), Names{"stay.txt"});
        QCOMPARE(m_platform->messages.size(), 1);
        const test::ShownMessage& shown = m_platform->messages.first();
        // The selection went with the file: the name read after the refresh is empty.
        QCOMPARE(shown.prompt, QStringLiteral("位置：\r") + QFile::decodeName(at("sub/")) +
                                   QStringLiteral("\r没有此文件！请检查！"));
        QCOMPARE(shown.title, QStringLiteral("出错提示!"));
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("512B，约0.5KB"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
