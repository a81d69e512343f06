#include "rename/BatchPreviewWindow.h"
#include "core/plan/ProgramSettings.h"
#include "rename/BatchPreviewModel.h"
#include "support/RenameWindow.h"
#include "support/TestAudio.h"
#include "support/TestFiles.h"
#include "support/TestJpeg.h"
#include "texts/PlanFormat.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace vornak;
using namespace vornak::test;

namespace {

// The main window with its batch preview open, on a folder of its own.
struct Preview : RenameWindow {
    // Opens the main window and presses F2 in it, or picks 批量预览… in the file list's menu.
    [[nodiscard]] bool openPreview(bool fromMenu = false)
    {
        if (!window && !open())
            return false;
        if (fromMenu)
            window->findChild<QAction*>(QLatin1String(controlName::batchPreviewAction))->trigger();
        else
            QTest::keyClick(window.get(), Qt::Key_F2);
        preview = window->findChild<BatchPreviewWindow*>();
        return preview && preview->isVisible() &&
               (table = preview->findChild<QTableView*>(QStringLiteral("batchTable"))) &&
               (runBatch = preview->findChild<QPushButton*>(QStringLiteral("runBatch")));
    }
    template <typename T> T* control(const char* name) const
    {
        return preview->findChild<T*>(QLatin1String(name));
    }
    // Every row of the table as "old>new status".
    QStringList rows() const
    {
        QStringList rows;
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const auto cell = [&](int column) { return table->model()->index(row, column).data(); };
            rows.append(cell(BatchPreviewModel::OldNameColumn).toString() + u'>' +
                        cell(BatchPreviewModel::NewNameColumn).toString() + u' ' +
                        cell(BatchPreviewModel::StatusColumn).toString());
        }
        return rows;
    }
    // Presses 执行 and waits for the table that follows: the one after the run, or the one of
    // the folder as it is now.
    [[nodiscard]] bool pressRun()
    {
        QSignalSpy shown(preview, &BatchPreviewWindow::planShown);
        QTest::mouseClick(runBatch, Qt::LeftButton);
        return QTest::qWaitFor([&shown] { return !shown.isEmpty(); }, 60000) && jobEnded();
    }
    BatchPreviewWindow* preview = nullptr;
    QTableView* table = nullptr;
    QPushButton* runBatch = nullptr;
};

} // namespace

class BatchPreviewWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The statuses a run goes ahead with, from the options and the window's rules; the rows
    // that stop a rename are marked, and only those. b.doc is a folder and .h.doc a hidden file,
    // neither of which the list shows.
    void statuses()
    {
        Preview w;
        QVERIFY(makeTree(w.folder(), {"a.txt", "b.txt", "b.doc/", "g.txt", "h.txt", ".h.doc",
                                      "y.doc", "Z.DOC"}));
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("4=doc"));
        QTest::keyClicks(w.control<QLineEdit>("findText"), QStringLiteral("^([gh])$"));
        QSignalSpy typed(w.preview, &BatchPreviewWindow::planShown);
        QTest::keyClicks(w.control<QLineEdit>("replacementText"), QStringLiteral(".\\1"));
        QVERIFY(typed.wait());
        QTest::mouseClick(w.control<QCheckBox>("regularExpression"), Qt::LeftButton);
        const QStringList rows{"a.txt>a.doc 将更改",  "b.txt>b.doc 名称已被占用",
                               "g.txt>.g.doc 将隐藏", "h.txt>.h.doc 名称已被占用",
                               "y.doc>y.doc 不变",    "Z.DOC>Z.doc 仅大小写"};
        QTRY_COMPARE(w.rows(), rows);
        QVERIFY(w.runBatch->isEnabled());
        for (int row = 0; row < rows.size(); ++row)
            QCOMPARE(w.table->model()->index(row, 0).data(Qt::BackgroundRole).isValid(),
                     rows[row].endsWith(QStringLiteral("名称已被占用")));
    }

    // In single mode the table shows the selected entry with its own status.
    void followsTheMainWindow()
    {
        Preview w;
        QVERIFY(makeTree(w.folder(), {"a.txt", "b.txt"}));
        QVERIFY(w.openPreview(true));
        w.use(QStringLiteral("1=x"));
        QTest::mouseClick(w.singleMode, Qt::LeftButton);
        w.fileList->setSelectedIndex(1);
        QTRY_COMPARE(w.rows(), QStringList{"b.txt>xb.txt 将更改"});
    }

    // 按位置 on CJK and emoji names: a cut never splits a character, the extension stays.
    void insertsAndRemovesByPosition()
    {
        Preview w;
        QVERIFY(makeTree(w.folder(), {"照片集.jpg", "a👍🏽👨\u200d👩\u200d👧.png"}));
        QVERIFY(w.openPreview());
        w.control<QSpinBox>("removeCount")->setValue(1);
        w.control<QComboBox>("removeFrom")->setCurrentIndex(1); // 从末尾
        w.control<QSpinBox>("insertAt")->setValue(1);
        QTRY_COMPARE(w.rows(),
                     (QStringList{"a👍🏽👨\u200d👩\u200d👧.png>a👍🏽.png 将更改",
                                  "照片集.jpg>照片.jpg 将更改"}));
        QTest::keyClicks(w.control<QLineEdit>("insertText"), QStringLiteral("_"));
        QTRY_COMPARE(w.rows(),
                     (QStringList{"a👍🏽👨\u200d👩\u200d👧.png>a_👍🏽.png 将更改",
                                  "照片集.jpg>照_片.jpg 将更改"}));
    }

    // 模式 builds each name from fields read in the background: the photo's date, else the
    // modification time, and audio tags. A pattern that cannot be read says why.
    void namesFromAPattern()
    {
        Preview w;
        QVERIFY(writeFile(w.at("p.jpg"), jpeg("2021:07:04 12:34:56")));
        QVERIFY(writeTaggedWav(w.at("s.wav"), {"Ляпис", "专辑", "歌 $(x)", 3, 1999}));
        const timespec times[2] = {{1577880000, 0}, {1577880000, 0}};
        QVERIFY(::utimensat(AT_FDCWD, w.at("s.wav").constData(), times, 0) == 0);
        const QString day = QDateTime::fromSecsSinceEpoch(1577880000).toString("yyyyMMdd");
        const QString folder = QFileInfo(QFile::decodeName(w.folder())).fileName();
        QVERIFY(w.openPreview());
        auto* pattern = w.control<QLineEdit>("pattern");
        pattern->setText(QStringLiteral("{folder}-{n:2}-{date:yyyyMMdd}_{name}{ext}"));
        QTRY_COMPARE(w.rows(), (QStringList{"p.jpg>" + folder + "-01-20210704_p.jpg 将更改",
                                            "s.wav>" + folder + "-02-" + day + "_s.wav 将更改"}));
        pattern->setText(QStringLiteral("{track}. {artist} - {title} ({album}, {year}){ext}"));
        QTRY_COMPARE(w.rows(), (QStringList{"p.jpg>p.jpg 缺少字段 {track}",
                                            "s.wav>3. Ляпис - 歌 $(x) (专辑, 1999).wav 将更改"}));
        pattern->setText(QStringLiteral("{n}{tilte}"));
        auto* hint = w.control<QLabel>("patternError");
        QTRY_COMPARE(hint->text(), QStringLiteral("模式中没有字段“{tilte}”"));
        QVERIFY(hint->isVisible());
    }

    // A rule set keeps the main window's options and the window's rules under its name;
    // loading it in a new window sets both again. A set an earlier version stored, before the
    // rules by position and the pattern, loads with those rules off.
    void ruleSetsAreKept()
    {
        Preview w;
        // Written as text, as the settings file holds it: the values come back as strings.
        const QString settings = ProgramSettings().fileName();
        QVERIFY(QDir().mkpath(QFileInfo(settings).path()) &&
                writeFile(QFile::encodeName(settings),
                          "[ruleSets]\n1\\name=\xe6\x97\xa7\n1\\prefixChecked=true\n"
                          "1\\prefixText=x\n1\\find=a\n1\\numberWidth=3\nsize=1\n"));
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("3=旅行"));
        BatchRules rules;
        rules.numbers = {5, 2, 4};
        w.control<BatchRulesPanel>("batchRules")->setRules(rules);
        auto* setName = w.control<QComboBox>("ruleSetName");
        setName->setEditText(QStringLiteral("假期/2024"));
        QTest::mouseClick(w.control<QPushButton>("saveRuleSet"), Qt::LeftButton);
        w.window.reset();
        QVERIFY(w.openPreview());
        setName = w.control<QComboBox>("ruleSetName");
        setName->setCurrentIndex(setName->findText(QStringLiteral("假期/2024")));
        QTest::mouseClick(w.control<QPushButton>("loadRuleSet"), Qt::LeftButton);
        QCOMPARE(w.control<BatchRulesPanel>("batchRules")->rules(), rules);
        QVERIFY(w.optionChecks[2]->isChecked());
        QCOMPARE(w.optionTexts[2]->text(), QStringLiteral("旅行"));

        // Saving under a name in use asks first; No keeps the set.
        w.platform.answers = {MessageAnswer::No};
        w.control<BatchRulesPanel>("batchRules")->setRules({});
        QTest::mouseClick(w.control<QPushButton>("saveRuleSet"), Qt::LeftButton);
        QTest::mouseClick(w.control<QPushButton>("loadRuleSet"), Qt::LeftButton);
        QCOMPARE(w.control<BatchRulesPanel>("batchRules")->rules(), rules);
        QTest::mouseClick(w.control<QPushButton>("deleteRuleSet"), Qt::LeftButton);
        QCOMPARE(setName->count(), 1);

        setName->setCurrentIndex(0);
        QTest::mouseClick(w.control<QPushButton>("loadRuleSet"), Qt::LeftButton);
        BatchRules old;
        old.findReplace.find = QStringLiteral("a");
        old.numbers.width = 3;
        QCOMPARE(w.control<BatchRulesPanel>("batchRules")->rules(), old);
        QVERIFY(w.optionChecks[0]->isChecked() && !w.optionChecks[2]->isChecked());
        QCOMPARE(w.optionTexts[0]->text(), QStringLiteral("x"));
    }

    // The window never opens larger than the screen, at its first size or at one kept from a
    // larger screen: its bottom row and its close button stay in reach.
    void opensWithinTheScreen_data()
    {
        QTest::addColumn<QSize>("closedAt");
        QTest::newRow("first time") << QSize();
        QTest::newRow("size kept from a larger screen") << QSize(2400, 1500);
    }
    void opensWithinTheScreen()
    {
        QFETCH(QSize, closedAt);
        Preview w;
        if (closedAt.isValid()) {
            QVERIFY(w.openPreview());
            w.preview->resize(closedAt);
            w.window.reset();
        }
        QVERIFY(w.openPreview());
        QVERIFY(w.preview->screen()->availableGeometry().contains(w.preview->frameGeometry()));
    }

    // 执行 plans again from the folder as it is then: where a folder the list does not show
    // has since taken a name the table gives, nothing is renamed, the table shows the folder
    // now and a message says why; the next 执行 runs that.
    void runsTheFolderAsItIsNow()
    {
        Preview w;
        QVERIFY(makeTree(w.folder(), {"a.txt", "b.txt"}));
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("4=doc"));
        QTRY_VERIFY(w.runBatch->isEnabled());
        QVERIFY(makeTree(w.folder(), {"a.doc/"}));
        const QByteArrayList before = folderState(w.folder());
        QVERIFY(w.pressRun());
        QCOMPARE(folderState(w.folder()), before);
        QCOMPARE(w.rows(), (QStringList{"a.txt>a.doc 名称已被占用", "b.txt>b.doc 将更改"}));
        QVERIFY(w.platform.messages.last().prompt.contains(QStringLiteral("重新预览")));
        QTRY_VERIFY(w.runBatch->isEnabled());
        QVERIFY(w.pressRun());
        QCOMPARE(folderState(w.folder()), (QByteArrayList{"a.doc=", "a.txt=a.txt", "b.doc=b.txt"}));
    }

    // The table as a tool: an unticked row keeps its name and takes no number; a double-click types
    // a name, kept while the rules change, and the context menu gives back the planned one; a click
    // on 原文件名 numbers in the order shown, one on 新文件名 only sorts the rows. 执行 runs what
    // the table shows.
    void editsTheBatchInTheTable()
    {
        Preview w;
        QVERIFY(makeTree(w.folder(), {"a.txt", "b.txt", "c.txt"}));
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("3=x"));
        QTRY_COMPARE(w.rows(), (QStringList{"a.txt>x(1).txt 将更改", "b.txt>x(2).txt 将更改",
                                            "c.txt>x(3).txt 将更改"}));
        const QRect box =
            w.table->visualRect(w.table->model()->index(1, BatchPreviewModel::NumberColumn));
        QTest::mouseClick(w.table->viewport(), Qt::LeftButton, {},
                          {box.left() + box.height() / 2, box.center().y()});
        const QStringList bLeftOut{"a.txt>x(1).txt 将更改", "b.txt>b.txt 未选",
                                   "c.txt>x(2).txt 将更改"};
        QTRY_COMPARE(w.rows(), bLeftOut);
        // Space unticks the selected rows where one is ticked, else ticks them.
        w.table->setFocus();
        const auto space = [&w](int first, int last) {
            w.table->selectionModel()->select(
                QItemSelection(w.table->model()->index(first, 0), w.table->model()->index(last, 0)),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            QTest::keyClick(w.table, Qt::Key_Space);
        };
        space(0, 1);
        QTRY_COMPARE(w.rows(), (QStringList{"a.txt>a.txt 未选", "b.txt>b.txt 未选",
                                            "c.txt>x(1).txt 将更改"}));
        space(0, 0);
        QTRY_COMPARE(w.rows(), bLeftOut);
        // A plan that arrives while the name is typed leaves the typing alone.
        const auto type = [&w](int row, const QString& name, bool planMeanwhile = false) {
            const QRect cell =
                w.table->visualRect(w.table->model()->index(row, BatchPreviewModel::NewNameColumn));
            // A double click is the second press of two.
            QTest::mouseClick(w.table->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(w.table->viewport(), Qt::LeftButton, {}, cell.center());
            QPointer<QLineEdit> editor = w.table->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            editor->clear();
            QTest::keyClicks(editor, name.first(1));
            if (planMeanwhile) {
                w.preview->updatePlan();
                QTest::qWait(200);
                QVERIFY(editor && editor->isVisible());
            }
            QTest::keyClicks(editor, name.sliced(1));
            QTest::keyClick(editor, Qt::Key_Return);
        };
        type(0, QStringLiteral("mine.txt"));
        QTRY_COMPARE(w.rows().first(), QStringLiteral("a.txt>mine.txt 手动"));
        type(2, QStringLiteral("tmp"), true);
        QTRY_COMPARE(w.rows(),
                     (QStringList{"a.txt>mine.txt 手动", "b.txt>b.txt 未选", "c.txt>tmp 手动"}));
        w.table->selectRow(2);
        w.control<QAction>("restorePlannedName")->trigger();
        w.optionTexts[2]->setText(QStringLiteral("y"));
        QTRY_COMPARE(w.rows(), (QStringList{"a.txt>mine.txt 手动", "b.txt>b.txt 未选",
                                            "c.txt>y(2).txt 将更改"}));
        QHeaderView* header = w.table->horizontalHeader();
        const auto clickHeader = [header](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              {header->sectionViewportPosition(column) + 5, header->height() / 2});
        };
        clickHeader(BatchPreviewModel::OldNameColumn);
        clickHeader(BatchPreviewModel::OldNameColumn);
        QTRY_COMPARE(w.rows(), (QStringList{"c.txt>y(1).txt 将更改", "b.txt>b.txt 未选",
                                            "a.txt>mine.txt 手动"}));
        clickHeader(BatchPreviewModel::NewNameColumn);
        QTRY_VERIFY(w.runBatch->isEnabled());
        QCOMPARE(w.rows(),
                 (QStringList{"b.txt>b.txt 未选", "a.txt>mine.txt 手动", "c.txt>y(1).txt 将更改"}));
        QVERIFY(w.pressRun());
        QCOMPARE(folderState(w.folder()),
                 (QByteArrayList{"b.txt=b.txt", "mine.txt=a.txt", "y(1).txt=c.txt"}));
    }

    // Ctrl+A, Ctrl+C: the plan text of the selected rows, with each row's folder below the top,
    // which gives back every name's bytes. Problems can be shown alone; the line under the table
    // counts each status.
    void copiesAndMarksTheRows()
    {
        Preview w;
        QVERIFY(makeTree(w.folder(),
                         {"a.txt", "b.txt", "b.doc/", "caf\xe9.txt", "l\nf.txt", "s/", "s/z"}));
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("4=doc"));
        auto* across = w.control<QCheckBox>("numberAcross");
        QVERIFY(!across->isEnabled());
        w.control<QCheckBox>("includeSubfolders")->click();
        QVERIFY(across->isEnabled());
        QTRY_COMPARE(w.control<QLabel>("statusSummary")->text(),
                     QStringLiteral("共 5 个　将更改 3　名称已被占用 1　名称不允许 1"));
        const auto copied = [&w] {
            QTest::keyClick(w.table, Qt::Key_C, Qt::ControlModifier);
            return w.platform.clipboard.toUtf8();
        };
        w.table->setFocus();
        QTest::keyClick(w.table, Qt::Key_A, Qt::ControlModifier);
        const QByteArray taken = "2\t\tb.txt\tb.doc\t名称已被占用\n";
        QCOMPARE(copied(), planHeader() + "\n1\t\ta.txt\ta.doc\t将更改\n" + taken +
                               "3\t\tcaf\\xE9.txt\tcaf\\xE9.doc\t将更改\n"
                               "4\t\tl\\nf.txt\tl\\nf.doc\t名称不允许\n5\ts\tz\tz.doc\t将更改\n");
        QTest::mouseClick(w.control<QCheckBox>("problemsOnly"), Qt::LeftButton);
        QCOMPARE(w.rows(),
                 (QStringList{"b.txt>b.doc 名称已被占用", "l\nf.txt>l\nf.doc 名称不允许"}));
        w.table->setFocus();
        w.table->selectRow(0);
        QCOMPARE(copied(), planHeader() + '\n' + taken);
    }
};

QTEST_MAIN(BatchPreviewWindowTest)
#include "BatchPreviewWindowTest.moc"
