#include "dupcheck/SizeCheck.h"
#include "dupcheck/DuplicateReport.h"
#include "widgets/ResultsLayout.h"

#include "core/Twips.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace vornak;

namespace {

using Files = QList<std::pair<QString, qint64>>;
constexpr qint64 kGiB = qint64(1) << 30;
const QString kFullRule = QStringLiteral("\r-------检查完成-------");
// 37 hyphens, 检查完成, 39 hyphens.
const QString kSingleRule = QStringLiteral(
    "\r-------------------------------------检查完成---------------------------------------");

QString match(const QString& first, const QString& second)
{
    return "\r文件 “" + first + "” 跟 “" + second + "” 大小一致，可能是重复文件\r";
}

// A file list of a temporary folder's "*.txt" files, with the check that reads it; then the
// removed files are deleted behind the list's back.
struct Folder {
    QTemporaryDir dir;
    test::TestPlatform platform;
    FileList file1;
    FolderPath folderPath;
    SizeCheck check{file1, folderPath, platform};

    Folder(const Files& files, const QString& selected, const QStringList& removed = {})
    {
        for (const auto& [name, length] : files)
            QVERIFY(test::makeFile(dir.filePath(name), length));
        file1.setPattern(QStringLiteral("*.txt"));
        QVERIFY(file1.setPath(QFile::encodeName(dir.path())));
        folderPath.update(file1.path());
        for (int i = 0; i < file1.count(); ++i) {
            if (file1.entryDisplayName(i) == selected)
                file1.setSelectedIndex(i);
        }
        for (const QString& name : removed)
            QVERIFY(QFile::remove(dir.filePath(name)));
    }
    ~Folder() { delete check.resultsWindow(); }
};

} // namespace

class SizeCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullReportListsPairsInAllPairsOrder();
    void singleReportLeavesOutOnlyTheSelectedPosition();
    void checkFolder_data();
    void checkFolder();
    void resultsLayout_data();
    void resultsLayout();
    void oneResultsWindowScrollsAndCopies();
};

// Random lists, some lengths unreadable, against a loop over every pair.
void SizeCheckTest::fullReportListsPairsInAllPairsOrder()
{
    QRandomGenerator random(4711);
    for (int round = 0; round < 50; ++round) {
        NameList entries;
        Lengths lengths;
        for (int i = 0, count = int(random.bounded(60)); i < count; ++i) {
            const int pick = int(random.bounded(8));
            entries.append(QByteArray::number(i));
            lengths.push_back(pick == 0 ? std::nullopt : std::optional<qint64>(pick));
        }
        QString expected;
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            for (std::size_t j = i + 1; j < lengths.size(); ++j) {
                if (lengths[i] && lengths[i] == lengths[j])
                    expected += match(QString::number(i), QString::number(j));
            }
        }
        QCOMPARE(fullCheckReport(entries, lengths),
                 expected.isEmpty() ? expected : expected + kFullRule);
    }
}

// Two names that are not UTF-8 show alike: the twin of the selected entry is still a match.
void SizeCheckTest::singleReportLeavesOutOnlyTheSelectedPosition()
{
    NameList entries;
    for (const char* name : {"odd \xff.txt", "odd \xfe.txt", "z.txt"})
        entries.append(name);
    const QString shown = entries.displayNameAt(0);
    QCOMPARE(singleCheckReport(entries, {4, 4, 4}, 0, 4),
             match(shown, shown) + match(shown, "z.txt") + kSingleRule);
}

void SizeCheckTest::checkFolder_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("selected"); // empty: the full check
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QString>("shown"); // title, then the message or the results window's text

    // c.txt is deleted behind the list's back, the .log files are hidden by the pattern; 3 GiB
    // and 7 GiB are equal in their low 32 bits.
    const Files files{{"a.txt", 0},        {"b.txt", 0}, {"c.txt", 0},       {"d.txt", 0},
                      {"e.txt", 7 * kGiB}, {"f.log", 0}, {"g.txt", 3 * kGiB}};
    QTest::newRow("single: matches")
        << files << "b.txt" << QStringList{"c.txt"}
        << "检查结果" + match("b.txt", "a.txt") + match("b.txt", "d.txt") + kSingleRule;
    QTest::newRow("single: no match")
        << files << "g.txt" << QStringList{} << "检查结果没有检测到与 “g.txt” 大小一致的文件!";
    QTest::newRow("single: the selected file deleted outside")
        << files << "a.txt" << QStringList{"a.txt"}
        << "出错提示!位置：\r%1/a.txt\r没有此文件！请检查！";
    QTest::newRow("full: pairs in the order of the list")
        << Files{{"a.txt", 3 * kGiB}, {"b.txt", 5},        {"c.txt", 3 * kGiB},
                 {"d.txt", 5},        {"e.txt", 0},        {"f.txt", 3 * kGiB},
                 {"g.txt", 0},        {"h.log", 3 * kGiB}, {"x.txt", 7 * kGiB}}
        << "" << QStringList{}
        << "检查结果" + match("a.txt", "c.txt") + match("a.txt", "f.txt") +
               match("b.txt", "d.txt") + match("c.txt", "f.txt") + match("e.txt", "g.txt") +
               kFullRule;
    QTest::newRow("full: no match") << Files{{"a.txt", 4}, {"b.log", 4}} << "" << QStringList{}
                                    << "检查结果没有检测到大小一致的文件!";
}

void SizeCheckTest::checkFolder()
{
    QFETCH(Files, files);
    QFETCH(QString, selected);
    QFETCH(QStringList, removed);
    QFETCH(QString, shown);
    Folder folder(files, selected, removed);
    if (selected.isEmpty())
        folder.check.onCheckAll();
    else
        folder.check.onCheckFile();

    ResultsWindow* form2 = folder.check.resultsWindow();
    const QList<test::ShownMessage>& messages = folder.platform.messages;
    QCOMPARE(messages.size(), form2 ? 0 : 1);
    QCOMPARE(form2 ? form2->windowTitle() + form2->report()
                   : messages[0].title + messages[0].prompt,
             shown.replace("%1", folder.dir.path()));
}

// All in twips, for a label 500 wide beside a scroll bar 375 wide.
void SizeCheckTest::resultsLayout_data()
{
    QTest::addColumn<int>("labelHeight");
    QTest::addColumn<int>("windowHeight");
    QTest::addColumn<int>("barMaximum"); // 20: the label does not scroll
    QTest::newRow("few lines") << 3000 << 3400 << 20;
    QTest::newRow("highest before the cap") << 6600 << 7000 << 20;
    QTest::newRow("as tall as the window") << 7000 << 7000 << 20;
    QTest::newRow("10.5 rounds down to even") << 7050 << 7000 << 10;
    QTest::newRow("10.51 rounds up") << 7051 << 7000 << 11;
    QTest::newRow("11.5 rounds up to even") << 7150 << 7000 << 12;
    QTest::newRow("long report") << 12000 << 7000 << 60;
}

void SizeCheckTest::resultsLayout()
{
    QFETCH(int, labelHeight);
    QFETCH(int, windowHeight);
    QFETCH(int, barMaximum);
    const ResultsLayout layout = vornak::resultsLayout(500, labelHeight, 375);
    QCOMPARE(layout.windowWidth, 1155);
    QCOMPARE(layout.windowHeight, windowHeight);
    QCOMPARE(layout.barLeft, 700);
    QCOMPARE(scrollRange(labelHeight, windowHeight).barHeight, windowHeight - 400);
    QCOMPARE(scrollRange(labelHeight, windowHeight).barMaximum, barMaximum);
    QCOMPARE(labelScrolls(labelHeight, windowHeight), barMaximum != 20);
}

// The long report of 30 files of one length scrolls by 100 twips a step, and a click copies
// it whole, wherever it is scrolled. A second check goes to the open window, shown from its
// top.
void SizeCheckTest::oneResultsWindowScrollsAndCopies()
{
    Files files;
    for (int i = 0; i < 30; ++i)
        files.append({QStringLiteral("%1.txt").arg(i + 10), 1});
    Folder folder(files, {});
    folder.check.onCheckAll();
    QPointer<ResultsWindow> form2 = folder.check.resultsWindow();
    QLabel& label1 = *form2->findChild<QLabel*>(QStringLiteral("Label1"));
    QScrollBar& vScroll1 = *form2->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    QCOMPARE(form2->frameGeometry().height(), twipsToPixels(7000));
    QVERIFY(vScroll1.maximum() > 20);
    for (int position = 0; position <= vScroll1.maximum(); ++position) {
        vScroll1.setValue(position);
        QCOMPARE(label1.y(), twipsToPixels(-100 * position));
    }
    QTest::mouseClick(&label1, Qt::LeftButton, {}, QPoint(5, 5 - label1.y()));
    QCOMPARE(folder.platform.clipboard, form2->report());

    QVERIFY(test::makeFile(folder.dir.filePath("40.txt"), 1));
    folder.check.onCheckAll();
    QCOMPARE(folder.check.resultsWindow(), form2.data());
    QVERIFY(form2->report().contains(match("39.txt", "40.txt")));
    QCOMPARE(vScroll1.value(), 0);
    QCOMPARE(label1.y(), 0);
}

QTEST_MAIN(SizeCheckTest)
#include "SizeCheckTest.moc"
