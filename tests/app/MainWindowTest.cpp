#include "app/MainWindow.h"

#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "widgets/CaptionColour.h"

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
        QVERIFY(m_dir->isValid());
        m_folder = QFile::encodeName(m_dir->path());
        m_platform = std::make_unique<test::TestPlatform>();
        m_platform->folderAtStart = m_folder;
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
    }

    // Every control after the load: kind, container, caption, tooltip and geometry in twips;
    // then the tab order, the fixed frame and the popup menu.
    void form()
    {
        openWindow();
        const std::tuple<const char*, QStringList, QRect> controls[] = {
            {"Frame1", {"QFrame", "Form1", "", ""}, {0, -120, 4875, 3405}},
            {"File1", {"vornak::FileList", "Frame1", "", ""}, {2460, 420, 2320, 2610}},
            {"Dir1", {"vornak::FolderList", "Frame1", "", ""}, {0, 420, 2430, 2610}},
            {"Drive1", {"vornak::DriveList", "Frame1", "", ""}, {0, 120, 2445, 300}},
            {"T3",
             {"QLineEdit", "Frame1", "桌面", "可直接输入地址 例如：输入c:\\windows"},
             {2445, 120, 2355, 300}},
            {"Op1", {"QRadioButton", "Frame1", "批量", "批量更改"}, {3360, 3105, 675, 180}},
            {"Op2", {"QRadioButton", "Frame1", "单个", "单个更改"}, {4050, 3105, 675, 180}},
            {"T2", {"QLineEdit", "Frame1", "*", "筛选文件名"}, {720, 3060, 1095, 270}},
            {"T1", {"QLineEdit", "Frame1", "*", "筛选文件后缀"}, {2490, 3060, 795, 270}},
            {"Label2", {"QLabel", "Frame1", "文件名：", ""}, {60, 3105, 720, 180}},
            {"Label1", {"QLabel", "Frame1", "格式名：", ""}, {1830, 3105, 720, 180}},
            {"Command1", {"QPushButton", "Form1", "执行", ""}, {3990, 3825, 855, 360}},
            {"Text4", {"QLineEdit", "Form1", "", ""}, {3510, 3570, 1335, 270}},
            {"Check4", {"QCheckBox", "Form1", "改格式名", ""}, {2460, 3600, 1035, 210}},
            {"Text3", {"QLineEdit", "Form1", "", ""}, {1080, 3570, 1335, 270}},
            {"Check3", {"QCheckBox", "Form1", "改文件名", ""}, {30, 3600, 1035, 210}},
            {"Text2", {"QLineEdit", "Form1", "", ""}, {3510, 3300, 1335, 270}},
            {"Check2", {"QCheckBox", "Form1", "后面加字", ""}, {2460, 3330, 1035, 210}},
            {"Text1", {"QLineEdit", "Form1", "", ""}, {1080, 3300, 1335, 270}},
            {"Check1", {"QCheckBox", "Form1", "前面加字", ""}, {30, 3330, 1035, 210}},
            {"L1", {"QLabel", "Form1", "", ""}, {60, 3930, 3825, 195}},
            {"lab", {"QLabel", "Frame1", "", "按住可移动框体"}, {2430, 420, 30, 2595}},
        };
        for (const auto& [name, what, twips] : controls) {
            const QWidget* widget = control(name);
            QVERIFY2(widget && widget->inherits(qPrintable(what[0])), name);
            QCOMPARE((QStringList{name, widget->parentWidget()->objectName(),
                                  widget->property("text").toString(), widget->toolTip()}),
                     QStringList{name} + what.mid(1));
            QCOMPARE(widget->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15,
                                               twips.height() / 15));
        }

        const QStringList tabOrder{"File1",  "Dir1",  "Drive1",   "T3",    "Op1",    "Op2",
                                   "T2",     "T1",    "Command1", "Text4", "Check4", "Text3",
                                   "Check3", "Text2", "Check2",   "Text1", "Check1"};
        QStringList seen;
        QWidget* widget = m_file1;
        do {
            if (tabOrder.contains(widget->objectName()) && !seen.contains(widget->objectName()))
                seen.append(widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget != m_file1);
        QCOMPARE(seen, tabOrder);

        QCOMPARE(m_window->minimumSize(), QSize(4845 / 15, 4155 / 15));
        QCOMPARE(m_window->maximumSize(), QSize(4845 / 15, 4155 / 15));
        const Qt::WindowFlags buttons = Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        QCOMPARE(m_window->windowFlags() & (buttons | Qt::WindowMaximizeButtonHint), buttons);
        QCOMPARE(m_window->windowIcon().availableSizes(),
                 (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}}));

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

    // The load; a click on Dir1's current folder reads it again; Drive1 moves Dir1, Dir1 moves
    // File1, and T3 follows Dir1 only when it shows an address.
    void loadAndNavigate()
    {
        QTemporaryDir otherDir;
        const QByteArray other = QFile::encodeName(otherDir.path());
        QVERIFY(makeFile(at("old.txt")) && makeFile(other + "/elsewhere.txt"));
        QVERIFY(::mkdir(at("sub").constData(), 0755) == 0 && makeFile(at("sub/inner.txt")));
        m_platform->volumeList = {{"/", QStringLiteral("/")}, {other, QStringLiteral("other")}};
        openWindow();
        QCOMPARE(m_platform->skinAttached, 1);
        // There is no drive "D": the lists stay on the process's current folder, without a word.
        QCOMPARE(control<DriveList>("Drive1")->drive(), QByteArray("/"));
        auto* dir1 = control<FolderList>("Dir1");
        QCOMPARE(dir1->path(), m_folder);
        QVERIFY(m_platform->messages.isEmpty());
        QCOMPARE(captionColour(*control<QRadioButton>("Op1")), kHighlightColour);
        QCOMPARE(captionColour(*control<QRadioButton>("Op2")), kNormalColour);

        QVERIFY(makeFile(at("new.txt")));
        QCOMPARE(namesOf(*m_file1), Names{"old.txt"});
        QTreeWidgetItem* current = dir1->currentItem();
        QVERIFY(current);
        dir1->scrollToItem(current);
        QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {},
                          dir1->visualItemRect(current).center());
        QCOMPARE(namesOf(*m_file1), (Names{"new.txt", "old.txt"}));

        auto* t3 = control<QLineEdit>("T3");
        QVERIFY(dir1->setPath(at("sub")));
        QCOMPARE(namesOf(*m_file1), Names{"inner.txt"});
        QCOMPARE(t3->text(), QStringLiteral("桌面"));
        t3->setText(QFile::decodeName(at("sub")));
        QVERIFY(control<DriveList>("Drive1")->setDrive(other));
        QCOMPARE(dir1->path(), other);
        QCOMPARE(namesOf(*m_file1), Names{"elsewhere.txt"});
        QCOMPARE(t3->text(), QFile::decodeName(other));
    }

    // Press and release without a move, a drag of the bar lab with the right button, then one
    // with the left button that leaves File1 narrower than its minimum, which the release gives
    // it back. The pointer is the west-east arrow from the press and the four-way arrow from
    // the release.
    void splitterDrags()
    {
        openWindow();
        QWidget *lab = control("lab"), *dir1 = control("Dir1");
        const auto pointer = [lab] {
            return lab->testAttribute(Qt::WA_SetCursor) ? lab->cursor().shape() : Qt::ArrowCursor;
        };
        // In pixels: the bar's left, Dir1's left and width, File1's left and width.
        const auto layout = [&] {
            return QList<int>{lab->x(), dir1->x(), dir1->width(), m_file1->x(), m_file1->width()};
        };
        // Pointer positions in Frame1, one move each.
        const auto drag = [&](Qt::MouseButton button, QList<int> moves, QList<int> whileDragging) {
            QTest::mousePress(lab, button, {}, QPoint(1, 10));
            QCOMPARE(pointer(), Qt::SizeHorCursor);
            for (int frameX : moves)
                QTest::mouseMove(lab, QPoint(frameX - lab->x(), 10));
            QCOMPARE(layout(), whileDragging);
            QTest::mouseRelease(lab, button, {}, QPoint(moves.isEmpty() ? 1 : 0, 10));
            QCOMPARE(pointer(), Qt::SizeAllCursor);
        };
        QCOMPARE(pointer(), Qt::ArrowCursor);
        drag(Qt::LeftButton, {}, {162, 0, 162, 164, 154});
        QCOMPARE(layout(), (QList<int>{162, 0, 162, 164, 154}));
        drag(Qt::RightButton, {170, 183}, {182, 0, 182, 184, 134});
        QCOMPARE(layout(), (QList<int>{182, 0, 182, 184, 134}));
        drag(Qt::LeftButton, {250, 299}, {298, 0, 298, 300, 18});
        QCOMPARE(layout(), (QList<int>{290, 0, 290, 292, 26}));
    }

    void filtersNarrowTheFileList()
    {
        for (const char* name :
             {"a.txt", "abc.log", "abcnote", "B.TXT", "report.md", "xabc.txt.bak"})
            QVERIFY(makeFile(at(name)));
        openWindow();
        // T2, T1 and the files File1 shows then.
        const std::tuple<QString, QString, Names> rows[] = {
            {"*", "txt", {"a.txt", "B.TXT", "xabc.txt.bak"}},
            {"abc", "*", {"abc.log", "abcnote", "xabc.txt.bak"}},
            {"*", "md;*.log", {"abc.log", "report.md"}},
        };
        for (const auto& [name, extension, expected] : rows) {
            // Typed key by key, as the user does: every keystroke rebuilds the pattern.
            for (auto [box, text] : {std::pair{"T2", name}, std::pair{"T1", extension}}) {
                auto* edit = control<QLineEdit>(box);
                edit->setFocus();
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Backspace);
                QTest::keyClicks(edit, text);
            }
            QCOMPARE(namesOf(*m_file1), expected);
        }
    }

    // A click shows the file's size in the title. Timer1 is stopped before the move to "sub":
    // the message must still name the folder the file list was moved to, so FolderPath follows
    // File1 at once.
    void fileClickAndVanishedFile()
    {
        QVERIFY(makeFile(at("big.bin"), qint64(3) << 30) && makeFile(at("keep.txt"), 512));
        QVERIFY(::mkdir(at("sub").constData(), 0755) == 0 && makeFile(at("sub/gone.txt"), 1));
        QVERIFY(makeFile(at("sub/stay.txt"), 1));
        openWindow();
        clickEntry("big.bin");
        QCOMPARE(m_window->windowTitle(), QStringLiteral("3221225472B，约3072MB"));
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
