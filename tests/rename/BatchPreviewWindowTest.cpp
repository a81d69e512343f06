#include "rename/BatchPreviewWindow.h"
#include "core/plan/ProgramSettings.h"
#include "support/MainWindowFixture.h"
#include "support/TestAudio.h"
#include "support/TestFiles.h"
#include "support/TestJpeg.h"
#include "texts/PlanFormat.h"
#include "widgets/CaptionColour.h"

#include <QApplication>
#include <QHeaderView>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vornak;
using namespace vornak::test;

Q_DECLARE_METATYPE(vornak::BatchRules)

namespace {

// Find/replace rules: find, replacement, then flags: r regular expression, w the whole name.
BatchRules replacing(const QString& find, const QString& replacement, const QString& flags = {})
{
    BatchRules rules;
    rules.findReplace = {find, replacement, flags.contains(u'r'), false,
                         flags.contains(u'w') ? FindReplace::Scope::WholeName
                                              : FindReplace::Scope::BaseName};
    return rules;
}

// The rules of a batch over the folder and every folder below it.
BatchRules inTree(bool numberAcross = false)
{
    BatchRules rules;
    rules.includeSubfolders = true;
    rules.numberAcross = numberAcross;
    return rules;
}

// The main window with its batch preview open, on a folder of its own.
struct Preview : MainWindowFixture {
    // Makes the entries: "name/" a folder, "name@N" a file modified N seconds after the epoch,
    // any other a file holding its own name.
    void makeEntries(const QByteArrayList& entries)
    {
        for (QByteArray entry : entries) {
            if (entry.endsWith('/')) {
                QVERIFY(::mkdir(at(entry.chopped(1)).constData(), 0755) == 0);
                continue;
            }
            const qsizetype mark = entry.indexOf('@');
            const QByteArray name = mark < 0 ? entry : entry.left(mark);
            QVERIFY(writeFile(at(name), name));
            if (mark >= 0) {
                const timespec times[2] = {{entry.mid(mark + 1).toLong(), 0},
                                           {entry.mid(mark + 1).toLong(), 0}};
                QVERIFY(::utimensat(AT_FDCWD, at(name).constData(), times, 0) == 0);
            }
        }
    }
    // Opens the main window and presses F2 in it.
    [[nodiscard]] bool openPreview()
    {
        if (!window && !open())
            return false;
        QTest::keyClick(window.get(), Qt::Key_F2);
        preview = window->findChild<BatchPreviewWindow*>();
        return preview && preview->isVisible() &&
               (table = preview->findChild<QTableView*>(QStringLiteral("batchTable"))) &&
               (runBatch = preview->findChild<QPushButton*>(QStringLiteral("runBatch"))) &&
               (summary = preview->findChild<QLabel*>(QStringLiteral("statusSummary")));
    }
    template <typename T> T* control(const char* name) const
    {
        return preview->findChild<T*>(QLatin1String(name));
    }
    // Ticks the options given as "n=text", ";" between them, and sets their texts.
    void use(const QString& options)
    {
        for (const QString& option : options.split(u';', Qt::SkipEmptyParts)) {
            const auto n = std::size_t(option.left(1).toInt() - 1);
            QTest::mouseClick(optionChecks[n], Qt::LeftButton);
            optionTexts[n]->setText(option.mid(2));
        }
    }
    QString cell(int row, int column) const
    {
        return table->model()->index(row, column).data().toString();
    }
    // Every row of the table as "old>new status", the old name after its folder in a tree.
    QStringList rows() const
    {
        QStringList rows;
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QString folder = cell(row, BatchPreviewModel::FolderColumn);
            rows.append((folder.isEmpty() ? folder : folder + u'/') +
                        cell(row, BatchPreviewModel::OldNameColumn) + u'>' +
                        cell(row, BatchPreviewModel::NewNameColumn) + u' ' +
                        cell(row, BatchPreviewModel::StatusColumn));
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
    // Every entry below the folder as "path=content", subfolders included.
    QByteArrayList state() const
    {
        QByteArrayList entries = treeState(folder());
        for (QByteArray& entry : entries)
            entry.remove(0, 1);
        return entries;
    }

    BatchPreviewWindow* preview = nullptr;
    QTableView* table = nullptr;
    QPushButton* runBatch = nullptr;
    QLabel* summary = nullptr;
};

} // namespace

class BatchPreviewWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Settings go to a folder of the test's own.
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"})
            qputenv(variable, QFile::encodeName(m_home.path()) + '/' + variable);
    }
    void init() { ProgramSettings().clear(); }

    // F2 and the menu's item 批量预览… open one window, which closes with the main window. Closed,
    // it comes back showing the folder the main window shows then.
    void opensOnceAndClosesWithTheMainWindow()
    {
        Preview w;
        w.makeEntries({"a.txt", "sub/", "sub/b.txt"});
        QVERIFY(w.openPreview());
        QCOMPARE(w.preview->windowTitle(), QStringLiteral("批量预览"));
        QPointer<BatchPreviewWindow> first = w.preview;
        auto* item = w.find<QAction>(QStringLiteral("PiLiangYuLan"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("批量预览…"));
        QVERIFY(w.openPreview());
        item->trigger();
        QCOMPARE(w.window->findChildren<BatchPreviewWindow*>().size(), 1);
        QCOMPARE(w.preview, first.data());
        w.preview->close();
        QVERIFY(!first->isVisible());
        QVERIFY(w.folderList->setPath(w.at("sub")));
        item->trigger();
        QVERIFY(first->isVisible());
        QTRY_COMPARE(w.rows(), QStringList{"b.txt>b.txt 不变"});
        QCOMPARE(w.window->findChildren<BatchPreviewWindow*>().size(), 1);
        w.window.reset();
        QVERIFY(!first);
    }

    // Each status as the table shows it, from the options ("n=text") and the window's rules;
    // "name/" is a folder, "name@N" a file modified at N.
    void statuses_data()
    {
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QString>("options");
        QTest::addColumn<BatchRules>("rules");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("runs"); // 执行 is enabled
        // b.doc is a folder and .h.doc a hidden file, neither of which the list shows.
        QTest::newRow("the statuses a run goes ahead with")
            << QByteArrayList{"a.txt", "b.txt",  "b.doc/", "g.txt",
                              "h.txt", ".h.doc", "y.doc",  "Z.DOC"}
            << "4=doc"
            << replacing(QStringLiteral("^([gh])$"), QStringLiteral(".\\1"), QStringLiteral("r"))
            << QStringList{"a.txt>a.doc 将更改",  "b.txt>b.doc 名称已被占用",
                           "g.txt>.g.doc 将隐藏", "h.txt>.h.doc 名称已被占用",
                           "y.doc>y.doc 不变",    "Z.DOC>Z.doc 仅大小写"}
            << true;
        const QByteArray long254 = QByteArray(252, 'l') + ".c";
        QTest::newRow("not allowed, too long, two files want one name")
            << QByteArrayList{long254, "a.txt", "x.log", "x.txt"} << "4=doc"
            << replacing(QStringLiteral("a"), QStringLiteral("/"))
            << QStringList{"a.txt>/.doc 名称不允许",
                           QString::fromUtf8(long254 + '>' + long254.chopped(1) + "doc 名称太长"),
                           "x.log>x.doc 与本批重名", "x.txt>x.doc 与本批重名"}
            << false;
        BatchRules byTime;
        byTime.order = NumberingOrder::Modified;
        QTest::newRow("a cycle, numbered by modification time")
            << QByteArrayList{"f(1).txt@2000000", "f(2).txt@1000000"} << "3=f" << byTime
            << QStringList{"f(1).txt>f(2).txt 循环（经临时名称）",
                           "f(2).txt>f(1).txt 循环（经临时名称）"}
            << true;
        // A name the expression cannot decide in time stops the run, as an error in it does.
        const QByteArray runaway = QByteArray(28, 'a') + "b.txt";
        QTest::newRow("an expression over its budget")
            << QByteArrayList{runaway, "c.txt"} << "4=doc"
            << replacing(QStringLiteral("(a+)+$"), QStringLiteral("x"), QStringLiteral("r"))
            << QStringList{QString::fromUtf8(runaway + '>' + runaway + " 表达式太复杂"),
                           "c.txt>c.doc 将更改"}
            << false;
        // With 包含子文件夹 each folder is planned within itself, here numbered across.
        QTest::newRow("a tree numbered across")
            << QByteArrayList{"a.txt", "s/", "s/a.txt", "s/t/", "s/t/c.txt"} << "3=x"
            << inTree(true)
            << QStringList{"a.txt>x(1).txt 将更改", "s/a.txt>x(2).txt 将更改",
                           "s/t/c.txt>x(3).txt 将更改"}
            << true;
    }
    void statuses()
    {
        QFETCH(QByteArrayList, entries);
        QFETCH(QString, options);
        QFETCH(BatchRules, rules);
        QFETCH(QStringList, rows);
        QFETCH(bool, runs);
        Preview w;
        w.makeEntries(entries);
        QVERIFY(w.openPreview());
        w.use(options);
        w.control<BatchRulesPanel>("batchRules")->setRules(rules);
        QTRY_COMPARE(w.rows(), rows);
        QCOMPARE(w.runBatch->isEnabled(), runs);
        QCOMPARE(w.table->isColumnHidden(BatchPreviewModel::FolderColumn),
                 !rules.includeSubfolders);
        for (const QString& row : rows)
            QVERIFY2(w.summary->text().contains(row.section(u' ', -1)),
                     qPrintable(w.summary->text()));
        // The rows that stop a rename are marked, and only those.
        const QStringList fine{"将更改", "将隐藏", "仅大小写", "不变", "循环（经临时名称）"};
        for (int row = 0; row < rows.size(); ++row)
            QCOMPARE(w.table->model()->index(row, 0).data(Qt::BackgroundRole).isValid(),
                     !fine.contains(rows[row].section(u' ', -1)));
    }

    // A folder below that cannot be read is told under the table: how many, and the first.
    void tellsOfUnreadableFolders()
    {
        Preview w;
        w.makeEntries({"a.txt", "s/", "s/b.txt"});
        QVERIFY(::chmod(w.folder().constData(), 0755) == 0);
        QVERIFY(::mkdir(w.at("s/n").constData(), 0) == 0);
        QVERIFY(w.openPreview());
        // As root every folder is readable: the tree is walked as nobody.
        QVERIFY(::seteuid(65534) == 0);
        const auto asRoot = qScopeGuard([] { QVERIFY(::seteuid(0) == 0); });
        w.control<BatchRulesPanel>("batchRules")->setRules(inTree());
        QTRY_VERIFY2(w.summary->text().endsWith(QStringLiteral("　1 个文件夹无法读取：s/n")),
                     qPrintable(w.summary->text()));
    }

    // The table follows the options, the filters, the mode with the selection, the folder and
    // what it holds.
    void followsTheMainWindow()
    {
        Preview w;
        w.makeEntries({"a.txt", "b.txt", "c.log", "sub/", "sub/d.txt"});
        QVERIFY(w.openPreview());
        QTRY_COMPARE(w.rows(),
                     (QStringList{"a.txt>a.txt 不变", "b.txt>b.txt 不变", "c.log>c.log 不变"}));
        w.use(QStringLiteral("1=x"));
        QTRY_COMPARE(w.rows(), (QStringList{"a.txt>xa.txt 将更改", "b.txt>xb.txt 将更改",
                                            "c.log>xc.log 将更改"}));
        auto* extensionFilter = w.find<QLineEdit>(QStringLiteral("T1"));
        QVERIFY(extensionFilter);
        extensionFilter->setText(QStringLiteral("txt"));
        QTRY_COMPARE(w.rows(), (QStringList{"a.txt>xa.txt 将更改", "b.txt>xb.txt 将更改"}));
        QTest::mouseClick(w.singleMode, Qt::LeftButton);
        QTRY_COMPARE(w.rows(), QStringList{});
        w.fileList->setSelectedIndex(1);
        QTRY_COMPARE(w.rows(), QStringList{"b.txt>xb.txt 将更改"});
        QCOMPARE(w.cell(0, 0), QStringLiteral("2"));
        QVERIFY(w.folderList->setPath(w.at("sub")));
        QTRY_COMPARE(w.rows(), QStringList{});
        w.fileList->setSelectedIndex(0);
        QTRY_COMPARE(w.rows(), QStringList{"d.txt>xd.txt 将更改"});
        // A refresh reads the entries the list does not show as well.
        QVERIFY(::mkdir(w.at("sub/xd.txt").constData(), 0755) == 0);
        w.fileList->refresh();
        QTRY_COMPARE(w.rows(), QStringList{"d.txt>xd.txt 名称已被占用"});
    }

    // The rules as the user sets them; an expression that cannot be used stops every run. The
    // main window previews and runs as it always has.
    void rulesFromTheControls()
    {
        Preview w;
        w.makeEntries({"IMG_7.JPG", "IMG_10.jpeg"});
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("3=trip"));
        auto* find = w.control<QLineEdit>("findText");
        auto* error = w.control<QLabel>("findError");
        QVERIFY(find && error);
        QTest::keyClicks(find, QStringLiteral("trip\\((\\d+)"));
        w.control<QLineEdit>("replacementText")->setText(QStringLiteral("$1-照片"));
        QTest::mouseClick(w.control<QCheckBox>("regularExpression"), Qt::LeftButton);
        w.control<QSpinBox>("numberWidth")->setValue(3);
        w.control<QSpinBox>("numberStart")->setValue(9);
        w.control<QComboBox>("extensionCase")->setCurrentIndex(1); // 小写
        QTRY_COMPARE(w.rows(), (QStringList{"IMG_7.JPG>009-照片).jpg 将更改",
                                            "IMG_10.jpeg>010-照片).jpeg 将更改"}));
        QVERIFY(w.runBatch->isEnabled() && error->isHidden());
        QTest::keyClick(find, Qt::Key_End);
        QSignalSpy shown(w.preview, &BatchPreviewWindow::planShown);
        QTest::keyClicks(find, QStringLiteral("["));
        QTRY_VERIFY(!shown.isEmpty());
        QVERIFY(!w.runBatch->isEnabled());
        QVERIFY(error->isVisible() && !error->text().isEmpty());
        QTest::keyClick(w.table, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(w.platform.messages.isEmpty());
        QTest::keyClick(find, Qt::Key_Backspace);
        QTRY_VERIFY(w.runBatch->isEnabled());
        QVERIFY(error->isHidden());
        w.fileList->setSelectedIndex(0);
        QTRY_COMPARE(w.previewLabel->text(), QStringLiteral("trip.JPG"));
        QTest::mouseClick(w.runButton, Qt::LeftButton);
        QVERIFY(w.jobEnded());
        QCOMPARE(w.state(), (QByteArrayList{"trip(1).JPG=IMG_7.JPG", "trip(2).jpeg=IMG_10.jpeg"}));
    }

    // Ctrl+A, Ctrl+C: the plan text of the selected rows, which gives back every name's bytes.
    // Problems can be shown alone; the line under the table counts each status.
    void copiesAndMarksTheRows()
    {
        Preview w;
        w.makeEntries({"a.txt", "b.txt", "b.doc/", "caf\xe9.txt", "l\nf.txt", "s/", "s/z"});
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("4=doc"));
        auto* across = w.control<QCheckBox>("numberAcross");
        QVERIFY(!across->isEnabled());
        w.control<QCheckBox>("includeSubfolders")->click();
        QVERIFY(across->isEnabled());
        QTRY_COMPARE(w.summary->text(),
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

    // Numbered by the date taken: "读取拍摄日期…" until the dates are read, a photo without one
    // placed by its modification time and said so. A photo changed later is read again.
    void numbersByPhotoDate()
    {
        Preview w;
        QVERIFY(writeFile(w.at("b.jpg"), jpeg("2021:07:04 12:34:56")) &&
                writeFile(w.at("a.jpg"), jpeg()) &&
                writeFile(w.at("c.jpg"), jpeg("2019:05:05 12:34:56")));
        const timespec year2020[2] = {{1577880000, 0}, {1577880000, 0}};
        QVERIFY(::utimensat(AT_FDCWD, w.at("a.jpg").constData(), year2020, 0) == 0);
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("3=trip"));
        w.control<QComboBox>("numberingOrder")->setCurrentIndex(2);
        w.preview->updatePlan();
        const QString reading = QStringLiteral("读取拍摄日期…");
        QCOMPARE(w.rows().first(), "a.jpg>" + reading + u' ' + reading);
        QVERIFY(!w.runBatch->isEnabled());
        QTRY_COMPARE(w.rows(),
                     (QStringList{"a.jpg>trip(2).jpg 将更改（无拍摄日期，按修改时间）",
                                  "b.jpg>trip(3).jpg 将更改", "c.jpg>trip(1).jpg 将更改"}));
        QVERIFY(w.summary->text().endsWith(QStringLiteral("无拍摄日期 1")));
        w.control<QSpinBox>("numberWidth")->setValue(2);
        QTRY_COMPARE(w.rows().last(), QStringLiteral("c.jpg>trip(01).jpg 将更改"));
        QVERIFY(writeFile(w.at("b.jpg"), jpeg("2018:01:01 00:00:00") + "changed"));
        w.fileList->refresh();
        QTRY_COMPARE(w.rows().at(1), QStringLiteral("b.jpg>trip(01).jpg 将更改"));
    }

    // The table as a tool: an unticked row keeps its name and takes no number; a double-click types
    // a name, kept while the rules change, and the context menu gives back the planned one; a click
    // on 原文件名 numbers in the order shown, one on 新文件名 only sorts the rows. 执行 runs what
    // the table shows.
    void editsTheBatchInTheTable()
    {
        Preview w;
        w.makeEntries({"a.txt", "b.txt", "c.txt"});
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
        const auto type = [&w](int row, const QString& name) {
            const QRect cell =
                w.table->visualRect(w.table->model()->index(row, BatchPreviewModel::NewNameColumn));
            // A double click is the second press of two.
            QTest::mouseClick(w.table->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(w.table->viewport(), Qt::LeftButton, {}, cell.center());
            auto* editor = w.table->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            editor->clear();
            QTest::keyClicks(editor, name);
            QTest::keyClick(editor, Qt::Key_Return);
        };
        type(0, QStringLiteral("mine.txt"));
        QTRY_COMPARE(w.rows().first(), QStringLiteral("a.txt>mine.txt 手动"));
        type(2, QStringLiteral("tmp"));
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
        QCOMPARE(w.state(), (QByteArrayList{"b.txt=b.txt", "mine.txt=a.txt", "y(1).txt=c.txt"}));
    }

    // A newer edit drops the plan still being made, whose expression goes over its budget on
    // every name: no table of it is ever shown. 执行 waits for the newest edit's table.
    void aNewerEditSupersedesASlowPlan()
    {
        Preview w;
        QByteArrayList names;
        for (int i = 0; i < 500; ++i)
            names.append(QByteArray(28, 'a') + 'b' + QByteArray::number(i) + ".txt");
        w.makeEntries(names);
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("4=doc"));
        QTRY_VERIFY(w.runBatch->isEnabled());
        QStringList firstRows;
        connect(w.table->model(), &QAbstractItemModel::modelReset, w.table,
                [&] { firstRows.append(w.rows().value(0)); });
        auto* panel = w.control<BatchRulesPanel>("batchRules");
        panel->setRules(replacing(QStringLiteral("(a+)+$"), QStringLiteral("x"), "r"));
        w.preview->updatePlan();
        panel->setRules(replacing(QStringLiteral("b"), QStringLiteral("c")));
        w.preview->updatePlan();
        QVERIFY(!w.runBatch->isEnabled());
        QTRY_COMPARE(firstRows, QStringList{QString(28, u'a') + "b0.txt>" + QString(28, u'a') +
                                            "c0.doc 将更改"});
        QVERIFY(w.runBatch->isEnabled());
    }

    // 按位置 on CJK and emoji names: a cut never splits a character, the extension stays.
    void insertsAndRemovesByPosition()
    {
        Preview w;
        w.makeEntries({"照片集.jpg", "a👍🏽👨\u200d👩\u200d👧.png"});
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
    // modification time, and audio tags. A file lacking a field keeps its name and the others
    // run; a pattern that cannot be read runs nothing and says why.
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
        QTRY_VERIFY(w.runBatch->isEnabled());
        QVERIFY(w.pressRun());
        QVERIFY(QFile::exists(QFile::decodeName(w.at("3. Ляпис - 歌 $(x) (专辑, 1999).wav"))));
        QVERIFY(QFile::exists(QFile::decodeName(w.at("p.jpg"))));
        pattern->setText(QStringLiteral("{n}{tilte}"));
        auto* hint = w.control<QLabel>("patternError");
        QTRY_COMPARE(hint->text(), QStringLiteral("模式中没有字段“{tilte}”"));
        QVERIFY(hint->isVisible());
    }

    // A rule set keeps the options and the rules under its name; loading it sets the main
    // window's controls as clicks would, colours and enabling included.
    void ruleSetsAreKept()
    {
        Preview w;
        QVERIFY(w.openPreview());
        w.use(QStringLiteral("1=前;3=旅行"));
        QTest::mouseClick(w.singleMode, Qt::LeftButton);
        BatchRules rules = replacing(QStringLiteral("(\\d+)"), QStringLiteral("#\\1"), "rw");
        rules.numbers = {5, 2, 4};
        rules.baseCase = LetterCase::Capitalized;
        rules.order = NumberingOrder::Modified;
        rules.includeSubfolders = rules.numberAcross = true;
        rules.remove = {{2, true}, 3};
        rules.insert = {{1}, QStringLiteral("·")};
        auto* panel = w.control<BatchRulesPanel>("batchRules");
        panel->setRules(rules);
        auto* name = w.control<QComboBox>("ruleSetName");
        name->setEditText(QStringLiteral("假期/2024"));
        QTest::mouseClick(w.control<QPushButton>("saveRuleSet"), Qt::LeftButton);

        // A new main window starts with every option off, a new preview with the rules unset.
        w.window.reset();
        QVERIFY(w.openPreview());
        name = w.control<QComboBox>("ruleSetName");
        QCOMPARE(name->itemText(0), QStringLiteral("假期/2024"));
        name->setCurrentIndex(0);
        QTest::mouseClick(w.control<QPushButton>("loadRuleSet"), Qt::LeftButton);
        QCOMPARE(w.control<BatchRulesPanel>("batchRules")->rules(), rules);
        for (std::size_t i = 0; i < 4; ++i) {
            const bool on = i == 0 || i == 2;
            QCOMPARE(w.optionChecks[i]->isChecked(), on);
            QCOMPARE(w.optionTexts[i]->isEnabled(), on);
            QCOMPARE(captionColour(*w.optionChecks[i]), on ? kHighlightColour : kNormalColour);
        }
        QCOMPARE(w.optionTexts[0]->text(), QStringLiteral("前"));
        QCOMPARE(w.optionTexts[2]->text(), QStringLiteral("旅行"));
        QVERIFY(w.singleMode->isChecked());
        QCOMPARE(captionColour(*w.singleMode), kHighlightColour);

        // Saving under a name in use asks first; No keeps the set.
        w.platform.answers = {MessageAnswer::No};
        w.control<BatchRulesPanel>("batchRules")->setRules({});
        QTest::mouseClick(w.control<QPushButton>("saveRuleSet"), Qt::LeftButton);
        QTest::mouseClick(w.control<QPushButton>("loadRuleSet"), Qt::LeftButton);
        QCOMPARE(w.control<BatchRulesPanel>("batchRules")->rules(), rules);
        QTest::mouseClick(w.control<QPushButton>("deleteRuleSet"), Qt::LeftButton);
        QCOMPARE(name->count(), 0);
        QCOMPARE(w.platform.messages.size(), 2);
        QVERIFY(
            QFile::exists(m_home.filePath(QStringLiteral("XDG_CONFIG_HOME/vornak/vornak.conf"))));
    }

    // The window comes back with the size, splitter, column widths and subfolder choice it was
    // closed with, but never larger than the screen, whether at its first size or at one kept
    // from a larger screen: its bottom row and its close button stay in reach.
    void opensWithinTheScreen_data()
    {
        QTest::addColumn<QSize>("closedAt");
        QTest::addColumn<bool>("kept"); // the size and the splitter come back as they were
        QTest::newRow("first time") << QSize() << false;
        QTest::newRow("size kept") << QSize(720, 430) << true;
        QTest::newRow("size kept from a larger screen") << QSize(2400, 1500) << false;
    }
    void opensWithinTheScreen()
    {
        QFETCH(QSize, closedAt);
        QFETCH(bool, kept);
        Preview w;
        QList<int> sizes;
        if (closedAt.isValid()) {
            QVERIFY(w.openPreview());
            w.preview->resize(closedAt);
            w.control<QSplitter>("batchSplitter")->setSizes({250, 440});
            sizes = w.control<QSplitter>("batchSplitter")->sizes();
            w.table->setColumnWidth(BatchPreviewModel::OldNameColumn, 123);
            w.control<QCheckBox>("includeSubfolders")->click();
            w.window.reset();
        }
        QVERIFY(w.openPreview());
        QVERIFY(w.preview->screen()->availableGeometry().contains(w.preview->frameGeometry()));
        QCOMPARE(w.control<QCheckBox>("includeSubfolders")->isChecked(), closedAt.isValid());
        if (kept) {
            QCOMPARE(w.preview->size(), closedAt);
            QCOMPARE(w.control<QSplitter>("batchSplitter")->sizes(), sizes);
            QCOMPARE(w.table->columnWidth(BatchPreviewModel::OldNameColumn), 123);
        }
    }

    // 执行 renames as the table shows, after the question; problems keep their names and are
    // reported with their statuses. The window's rules apply to its own run only. The run goes
    // the main window's way, so Ctrl+Z in the main window undoes it. 执行 plans again from the
    // folder as it is then: where another program has changed what the table shows, nothing is
    // renamed, the table shows the folder now and a message says why; the next 执行 runs that.
    void runsTheBatchAsShown_data()
    {
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QString>("options");
        QTest::addColumn<BatchRules>("rules");
        QTest::addColumn<int>("single"); // the selected entry in single mode; -1: batch mode
        QTest::addColumn<QByteArrayList>("made"); // after the table was drawn
        QTest::addColumn<QByteArrayList>("removed");
        QTest::addColumn<QStringList>("rows");     // the table shown then, if it changed
        QTest::addColumn<QByteArrayList>("after"); // name=what it held
        QTest::addColumn<QStringList>("outcome");
        using L = QByteArrayList;
        BatchRules lower = replacing(QStringLiteral("rm -rf"), QStringLiteral("照片"));
        lower.extensionCase = LetterCase::Lower;
        BatchRules numbered;
        numbered.numbers = {0, 5, 3};
        BatchRules byTime;
        byTime.order = NumberingOrder::Modified;
        QTest::newRow("the window's rules, hostile names")
            << L{"IMG_1.JPG", "$(rm -rf) 🎉\xe9.JPG"} << "1=&$(x) " << lower << -1 << L{} << L{}
            << QStringList()
            << L{"&$(x) $(照片) 🎉\xe9.jpg=$(rm -rf) 🎉\xe9.JPG", "&$(x) IMG_1.jpg=IMG_1.JPG"}
            << QStringList();
        QTest::newRow("single mode, the window's number format")
            << L{"b.txt", "a.txt"} << "3=x" << numbered << 1 << L{} << L{} << QStringList()
            << L{"a.txt=a.txt", "x(005).txt=b.txt"} << QStringList();
        QTest::newRow("a swap") << L{"f(1).txt@2000000", "f(2).txt@1000000"} << "3=f" << byTime
                                << -1 << L{} << L{} << QStringList()
                                << L{"f(1).txt=f(2).txt", "f(2).txt=f(1).txt"} << QStringList();
        QTest::newRow("a tree: one run, problems named with their folders")
            << L{"a.txt", "x.log", "x.txt", "s/", "s/a.txt", "s/a.doc/", "s/t/", "s/t/c.txt"}
            << "4=doc" << inTree() << -1 << L{} << L{} << QStringList()
            << L{"a.doc=a.txt", "s/a.doc=", "s/a.txt=s/a.txt", "s/t/c.doc=s/t/c.txt",
                 "s/t=",        "s=",       "x.log=x.log",     "x.txt=x.txt"}
            << QStringList{"已重命名 2 个文件，3 个未更改", "“x.log” → “x.doc”：与本批其他文件重名",
                           "“x.txt” → “x.doc”：与本批其他文件重名",
                           "“s/a.txt” → “s/a.doc”：新名称已被占用"};
        const L two{"a.txt", "b.txt"};
        QTest::newRow("a file and a taken name appear")
            << two << "4=doc" << BatchRules{} << -1 << L{"c.txt", "a.doc"} << L{}
            << QStringList{"a.doc>a.doc 不变", "a.txt>a.doc 名称已被占用", "b.txt>b.doc 将更改",
                           "c.txt>c.doc 将更改"}
            << L{"a.doc=a.doc", "a.txt=a.txt", "b.doc=b.txt", "c.doc=c.txt"}
            << QStringList{"已重命名 2 个文件，1 个未更改", "“a.txt” → “a.doc”：新名称已被占用"};
        QTest::newRow("a name is taken by a folder the list does not show")
            << two << "4=doc" << BatchRules{} << -1 << L{"a.doc/"} << L{}
            << QStringList{"a.txt>a.doc 名称已被占用", "b.txt>b.doc 将更改"}
            << L{"a.doc=", "a.txt=a.txt", "b.doc=b.txt"}
            << QStringList{"已重命名 1 个文件，1 个未更改", "“a.txt” → “a.doc”：新名称已被占用"};
        QTest::newRow("a file is gone")
            << two << "4=doc" << BatchRules{} << -1 << L{} << L{"b.txt"}
            << QStringList{"a.txt>a.doc 将更改"} << L{"a.doc=a.txt"} << QStringList();
        QTest::newRow("a file appears in a folder below")
            << two << "4=doc" << inTree() << -1 << L{"s/", "s/c.txt"} << L{}
            << QStringList{"a.txt>a.doc 将更改", "b.txt>b.doc 将更改", "s/c.txt>c.doc 将更改"}
            << L{"a.doc=a.txt", "b.doc=b.txt", "s/c.doc=s/c.txt", "s="} << QStringList();
    }
    void runsTheBatchAsShown()
    {
        QFETCH(QByteArrayList, entries);
        QFETCH(QString, options);
        QFETCH(BatchRules, rules);
        QFETCH(int, single);
        QFETCH(QByteArrayList, made);
        QFETCH(QByteArrayList, removed);
        QFETCH(QStringList, rows);
        QFETCH(QByteArrayList, after);
        QFETCH(QStringList, outcome);
        Preview w;
        w.makeEntries(entries);
        QVERIFY(w.openPreview());
        w.use(options);
        if (single >= 0) {
            QTest::mouseClick(w.singleMode, Qt::LeftButton);
            w.fileList->setSelectedIndex(single);
        }
        w.control<BatchRulesPanel>("batchRules")->setRules(rules);
        QTRY_VERIFY(w.runBatch->isEnabled());
        w.platform.answers = {MessageAnswer::No};
        const QByteArrayList unchanged = w.state();
        QTest::mouseClick(w.runBatch, Qt::LeftButton);
        QCOMPARE(w.state(), unchanged);
        QCOMPARE(w.platform.messages.first().prompt, QStringLiteral("是否执行重命名？"));
        w.makeEntries(made);
        for (const QByteArray& name : removed)
            QVERIFY(QFile::remove(QFile::decodeName(w.at(name))));
        const QByteArrayList before = w.state();
        if (!rows.isEmpty()) {
            QVERIFY(w.pressRun());
            QCOMPARE(w.state(), before);
            QCOMPARE(w.rows(), rows);
            QVERIFY(w.platform.messages.last().prompt.contains(QStringLiteral("重新预览")));
            QTRY_VERIFY(w.runBatch->isEnabled());
        }
        QVERIFY(w.pressRun());
        QCOMPARE(w.state(), after);
        const ResultsWindow* results = w.window->findChild<RenameEngine*>()->resultsWindow();
        QCOMPARE(results ? results->report().text().split(u'\r') : QStringList(), outcome);
        QApplication::setActiveWindow(w.window.get());
        w.fileList->setFocus();
        QTest::keyClick(w.fileList, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w.jobEnded());
        QVERIFY(w.platform.messages.last().prompt.startsWith(QStringLiteral("撤销上次重命名？")));
        QCOMPARE(w.state(), before);
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(BatchPreviewWindowTest)
#include "BatchPreviewWindowTest.moc"
