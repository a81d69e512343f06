#include "app/SplitterLayout.h"
#include "support/MainWindowFixture.h"
#include "support/TestFiles.h"
#include "widgets/CaptionColour.h"

#include <QMenuBar>
#include <QTest>

using namespace vornak;
using vornak::test::makeFile;
using Names = QList<QByteArray>;

namespace {

// Each item of the menu and its submenus: name, caption, and whether it is off.
QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions()) {
        items.append(action->objectName() + u' ' + action->text() +
                     (action->isEnabled() && action->isVisible() ? "" : " (off)"));
        if (action->menu())
            items += itemsOf(action->menu());
    }
    return items;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every control after the load: kind, container, caption, tooltip and geometry in twips;
    // the table lists them in tab order. The menu tree opens only as a popup, never as a menu
    // bar; undo comes after the described items. There is no drive "D": the lists stay on the
    // start folder, without a word.
    void afterTheLoad()
    {
        const std::pair<QStringList, QRect> described[] = {
            {{"Frame1", "QFrame", "Form1", "", ""}, {0, -120, 4875, 3405}},
            {{"File1", "vornak::FileList", "Frame1", "", ""}, {2460, 420, 2320, 2610}},
            {{"Dir1", "vornak::FolderList", "Frame1", "", ""}, {0, 420, 2430, 2610}},
            {{"Drive1", "vornak::DriveList", "Frame1", "", ""}, {0, 120, 2445, 300}},
            {{"T3", "QLineEdit", "Frame1", "桌面", "可直接输入地址 例如：输入/home"},
             {2445, 120, 2355, 300}},
            {{"Op1", "QRadioButton", "Frame1", "批量", "批量更改"}, {3360, 3105, 675, 180}},
            {{"Op2", "QRadioButton", "Frame1", "单个", "单个更改"}, {4050, 3105, 675, 180}},
            {{"T2", "QLineEdit", "Frame1", "*", "筛选文件名"}, {720, 3060, 1095, 270}},
            {{"T1", "QLineEdit", "Frame1", "*", "筛选文件后缀"}, {2490, 3060, 795, 270}},
            {{"Label2", "QLabel", "Frame1", "文件名：", ""}, {60, 3105, 720, 180}},
            {{"Label1", "QLabel", "Frame1", "格式名：", ""}, {1830, 3105, 720, 180}},
            {{"Command1", "QPushButton", "Form1", "执行", ""}, {3990, 3825, 855, 360}},
            {{"Text4", "QLineEdit", "Form1", "", ""}, {3510, 3570, 1335, 270}},
            {{"Check4", "QCheckBox", "Form1", "改格式名", ""}, {2460, 3600, 1035, 210}},
            {{"Text3", "QLineEdit", "Form1", "", ""}, {1080, 3570, 1335, 270}},
            {{"Check3", "QCheckBox", "Form1", "改文件名", ""}, {30, 3600, 1035, 210}},
            {{"Text2", "QLineEdit", "Form1", "", ""}, {3510, 3300, 1335, 270}},
            {{"Check2", "QCheckBox", "Form1", "后面加字", ""}, {2460, 3330, 1035, 210}},
            {{"Text1", "QLineEdit", "Form1", "", ""}, {1080, 3300, 1335, 270}},
            {{"Check1", "QCheckBox", "Form1", "前面加字", ""}, {30, 3330, 1035, 210}},
            {{"L1", "QLabel", "Form1", "", ""}, {60, 3930, 3825, 195}},
            {{"lab", "QLabel", "Frame1", "", "按住可移动框体"}, {2430, 420, 30, 2595}},
        };
        test::MainWindowFixture w;
        QVERIFY(w.open());
        QStringList tabOrder;
        for (const auto& [what, twips] : described) {
            const QWidget* widget = w.find(what[0]);
            QVERIFY2(widget && widget->inherits(qPrintable(what[1])), qPrintable(what[0]));
            QCOMPARE((QStringList{what[0], what[1], widget->parentWidget()->objectName(),
                                  widget->property("text").toString(), widget->toolTip()}),
                     what);
            QCOMPARE(widget->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15,
                                               twips.height() / 15));
            if (widget->focusPolicy() != Qt::NoFocus)
                tabOrder.append(what[0]);
        }
        QStringList seen{w.fileList->objectName()};
        for (QWidget* next = w.fileList->nextInFocusChain(); next != w.fileList;
             next = next->nextInFocusChain()) {
            if (tabOrder.contains(next->objectName()) && !seen.contains(next->objectName()))
                seen.append(next->objectName());
        }
        QCOMPARE(seen, tabOrder);
        auto* top = w.find<QMenu>("XuanXiang");
        QVERIFY(top && !top->isVisible() && !w.find<QMenuBar>({}));
        QCOMPARE(top->title(), QStringLiteral("选项"));
        QCOMPARE(itemsOf(top),
                 (QStringList{"DaKaiWenJianJia 打开文件夹", "DaKaiWenJian 打开文件",
                              "ShanChuWenJian 删除文件", "jiancha 检查", "jianchawenjian 检查文件",
                              "quantijiancha 全体检查", "neirongjiancha 内容检查",
                              "CheXiaoChongMingMing 撤销重命名", "PiLiangYuLan 批量预览…"}));
        QCOMPARE(w.platform.skinAttached, 1);
        QCOMPARE(w.platform.parentWindow, w.window.get());
        QCOMPARE(w.driveList->drive(), QByteArray("/"));
        QCOMPARE(w.folderList->path(), w.folder());
        QVERIFY(w.platform.messages.isEmpty());
        QCOMPARE(captionColour(*w.find("Op1")), kHighlightColour);
        QCOMPARE(captionColour(*w.find("Op2")), kNormalColour);
    }

    // The arithmetic of the bar between the folder and the file list, in twips of the frame:
    // the bar is 30 twips wide and at 2430 when a drag starts.
    void splitterArithmetic_data()
    {
        // The pointer and the grab offset of one move from 2430, none: the layout is given; bar
        // left, folder list width, file list left and width after the move and the release.
        QTest::addColumn<QList<int>>("move");
        QTest::addColumn<QList<int>>("layout");
        QTest::addColumn<QList<int>>("released");
        const auto row = [](const char* tag, QList<int> move, QList<int> layout,
                            QList<int> released = {}) {
            QTest::newRow(tag) << move << layout << (released.isEmpty() ? layout : released);
        };
        const QList<int> minimum{4350, 4350, 4380, 400};
        row("grabbed at 20, 300 to the right", {320, 20}, {2730, 2730, 2760, 2020});
        row("to the left", {-1000, 0}, {1430, 1430, 1460, 3320});
        row("file list past its right edge", {2540, 0}, {4970, 4970, 5000, 220}, minimum);
        // The pointer at frame position -100 mirrors the bar to the right of the frame's edge.
        row("left of the frame", {-2530, 20}, {120, 120, 150, 4630});
        // Only a left edge beyond 4380 is corrected: at 4380 even another width stays.
        row("file list exactly at 4380", {1920, 0}, minimum);
        row("file list at 4380, other width", {}, {4350, 4350, 4380, 410});
        row("bar aligned with the folder list", {}, {2500, 2430, 2460, 2320},
            {2430, 2430, 2460, 2320});
    }

    void splitterArithmetic()
    {
        QFETCH(QList<int>, move);
        QFETCH(QList<int>, layout);
        QFETCH(QList<int>, released);
        const auto parts = [](const SplitterLayout& l) {
            return QList<int>{l.barLeft, l.folderListWidth, l.fileListLeft, l.fileListWidth};
        };
        if (!move.isEmpty())
            QCOMPARE(parts(splitterAfterMove(2430, 30, move[0], move[1])), layout);
        QCOMPARE(parts(splitterAfterRelease({layout[0], layout[1], layout[2], layout[3]}, 30)),
                 released);
    }

    void filtersNarrowTheFileList()
    {
        test::MainWindowFixture w;
        for (const char* name :
             {"a.txt", "abc.log", "abcnote", "B.TXT", "report.md", "xabc.txt.bak"})
            QVERIFY(makeFile(w.at(name)));
        QVERIFY(w.open());
        auto* nameFilter = w.find<QLineEdit>("T2");
        auto* extensionFilter = w.find<QLineEdit>("T1");
        QVERIFY(nameFilter && extensionFilter);
        // T2, T1 and the files the file list shows then.
        const std::tuple<QString, QString, Names> rows[] = {
            {"*", "txt", {"a.txt", "B.TXT", "xabc.txt.bak"}},
            {"abc", "*", {"abc.log", "abcnote", "xabc.txt.bak"}},
            {"*", "md;*.log", {"abc.log", "report.md"}},
        };
        for (const auto& [name, extension, expected] : rows) {
            // Typed key by key, as the user does: every keystroke rebuilds the pattern.
            for (auto [edit, text] : {std::pair{nameFilter, name}, {extensionFilter, extension}}) {
                edit->setFocus();
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Backspace);
                QTest::keyClicks(edit, text);
            }
            QCOMPARE(w.listed(), expected);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
