#include "dupcheck/SizeCheck.h"
#include "dupcheck/DuplicateReport.h"

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

std::vector<FileEntry> entriesNamed(const QStringList& names)
{
    std::vector<FileEntry> entries;
    for (const QString& name : names)
        entries.push_back({name.toUtf8(), name});
    return entries;
}

// A file list of a temporary folder's "*.txt" files, with the check that reads it; then the
// removed files are deleted and the added ones made behind the list's back.
struct Folder {
    QTemporaryDir dir;
    test::TestPlatform platform;
    FileList file1;
    FolderPath folderPath;
    SizeCheck check{file1, folderPath, platform};

    Folder(const Files& files, const QString& selected, const QStringList& removed = {},
           const Files& added = {})
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
        for (const auto& [name, length] : added)
            QVERIFY(test::makeFile(dir.filePath(name), length));
    }
    ~Folder() { delete check.resultsWindow(); }
};

} // namespace

class SizeCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void singleReportSkipsOnlyTheSelectedEntry();
    void fullReportListsPairsInAllPairsOrder();
    void checkFolder_data();
    void checkFolder();
    void oneResultsWindowAtATime();
};

// Another entry of the same name is compared; nothing matches a length that was not read.
void SizeCheckTest::singleReportSkipsOnlyTheSelectedEntry()
{
    const std::vector<FileEntry> entries = entriesNamed({"a", "a", "b"});
    QCOMPARE(singleCheckReport(entries, {std::nullopt, 8, std::nullopt}, 0, 8),
             match("a", "a") + kSingleRule);
    QCOMPARE(singleCheckReport(entries, {std::nullopt, std::nullopt, std::nullopt}, 0, {}),
             QStringLiteral("没有检测到与 “a” 大小一致的文件!"));
}

// Random lists, some lengths unreadable, against a loop over every pair.
void SizeCheckTest::fullReportListsPairsInAllPairsOrder()
{
    QRandomGenerator random(4711);
    for (int round = 0; round < 50; ++round) {
        QStringList names;
        Lengths lengths;
        for (int i = 0, count = int(random.bounded(60)); i < count; ++i) {
            const int pick = int(random.bounded(8));
            names.append(QString::number(i));
            lengths.push_back(pick == 0 ? std::nullopt : std::optional<qint64>(pick));
        }
        QString expected;
        for (qsizetype i = 0; i < names.size(); ++i) {
            for (qsizetype j = i + 1; j < names.size(); ++j) {
                if (lengths[std::size_t(i)] && lengths[std::size_t(i)] == lengths[std::size_t(j)])
                    expected += match(names[i], names[j]);
            }
        }
        QCOMPARE(fullCheckReport(entriesNamed(names), lengths),
                 expected.isEmpty() ? expected : expected + kFullRule);
    }
}

void SizeCheckTest::checkFolder_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("selected"); // empty: the full check
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<Files>("added");
    QTest::addColumn<QString>("shown"); // title, then the message or the results window's text

    // c.txt is deleted behind the list's back, the .log files are hidden by the pattern; 3 GiB
    // and 7 GiB are equal in their low 32 bits.
    const Files files{{"a.txt", 0},        {"b.txt", 0}, {"c.txt", 0},       {"d.txt", 0},
                      {"e.txt", 7 * kGiB}, {"f.log", 0}, {"g.txt", 3 * kGiB}};
    QTest::newRow("single: matches")
        << files << "b.txt" << QStringList{"c.txt"} << Files{}
        << "检查结果" + match("b.txt", "a.txt") + match("b.txt", "d.txt") + kSingleRule;
    QTest::newRow("single: no match") << files << "g.txt" << QStringList{} << Files{}
                                      << "检查结果没有检测到与 “g.txt” 大小一致的文件!";
    QTest::newRow("single: the selected file deleted outside")
        << files << "a.txt" << QStringList{"a.txt"} << Files{}
        << "出错提示!位置：\r%1/a.txt\r没有此文件！请检查！";
    // The full check reads the list again: c.txt is gone and i.txt is new.
    QTest::newRow("full: groups in the order of the list")
        << Files{{"a.txt", 3 * kGiB}, {"b.txt", 5},        {"c.txt", 3 * kGiB},
                 {"d.txt", 5},        {"e.txt", 3 * kGiB}, {"f.txt", 0},
                 {"g.txt", 0},        {"h.log", 3 * kGiB}, {"x.txt", 7 * kGiB}}
        << "" << QStringList{"c.txt"} << Files{{"i.txt", 5}}
        << "检查结果" + match("a.txt", "e.txt") + match("b.txt", "d.txt") +
               match("b.txt", "i.txt") + match("d.txt", "i.txt") + match("f.txt", "g.txt") +
               kFullRule;
    QTest::newRow("full: no match")
        << Files{{"a.txt", 4}, {"b.log", 4}, {"c.txt", 4}} << "" << QStringList{"c.txt"} << Files{}
        << "检查结果没有检测到大小一致的文件!";
}

void SizeCheckTest::checkFolder()
{
    QFETCH(Files, files);
    QFETCH(QString, selected);
    QFETCH(QStringList, removed);
    QFETCH(Files, added);
    QFETCH(QString, shown);
    Folder folder(files, selected, removed, added);
    QCOMPARE(folder.file1.selectedName(), selected.toUtf8());
    const int listed = folder.file1.count();
    if (selected.isEmpty())
        folder.check.onCheckAll();
    else
        folder.check.onCheckFile();

    ResultsWindow* form2 = folder.check.resultsWindow();
    const QList<test::ShownMessage>& messages = folder.platform.messages;
    QCOMPARE(messages.size(), form2 ? 0 : 1);
    if (form2) {
        QVERIFY(form2->isVisible());
        QCOMPARE(form2->windowTitle() + form2->report(), shown);
        return;
    }
    QCOMPARE(messages[0].title + messages[0].prompt,
             QString(shown).replace("%1", folder.dir.path()));
    QCOMPARE(messages[0].buttons, MessageButtons::Ok);
    if (!selected.isEmpty())
        QCOMPARE(folder.file1.count(), listed);
}

// The second report goes to the open window; once closed, the next report opens a new one.
void SizeCheckTest::oneResultsWindowAtATime()
{
    Folder folder({{"a.txt", 1}, {"b.txt", 1}}, {});
    folder.check.onCheckAll();
    QPointer<ResultsWindow> first = folder.check.resultsWindow();
    QVERIFY(first);

    QVERIFY(test::makeFile(folder.dir.filePath("c.txt"), 1));
    folder.check.onCheckAll();
    QCOMPARE(folder.check.resultsWindow(), first.data());
    QVERIFY(first->report().contains("“b.txt” 跟 “c.txt”"));

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first && !folder.check.resultsWindow());
    folder.check.onCheckAll();
    QVERIFY(folder.check.resultsWindow() && folder.check.resultsWindow()->isVisible());
}

QTEST_MAIN(SizeCheckTest)
#include "SizeCheckTest.moc"
