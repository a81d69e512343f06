#include "dupcheck/SizeCheck.h"
#include "dupcheck/FullCheckReport.h"
#include "dupcheck/SingleCheckReport.h"
#include "widgets/ReportView.h"
#include "widgets/ResultsLayout.h"

#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace vornak;

namespace {

using Files = QList<std::pair<QString, qint64>>;
constexpr qint64 kGiB = qint64(1) << 30;
const QString kFullRule = QStringLiteral("-------检查完成-------");
// 37 hyphens, 检查完成, 39 hyphens.
const QString kSingleRule = QStringLiteral(
    "-------------------------------------检查完成---------------------------------------");

QString matchLine(const QString& first, const QString& second)
{
    return "文件 “" + first + "” 跟 “" + second + "” 大小一致，可能是重复文件";
}

QString match(const QString& first, const QString& second)
{
    return '\r' + matchLine(first, second) + '\r';
}

// Names of every kind the list shows: plain, CJK, emoji, and bytes that are not UTF-8.
QByteArray nameOf(qsizetype i)
{
    static const char* const kStems[] = {"n", "名字", "😀 ", "\xff\xfe"};
    return kStems[i % 4] + QByteArray::number(i);
}

// Random lengths: about `percent` of the entries share one of `shared` lengths, the rest are
// unique, and one in twenty cannot be read.
Lengths randomLengths(QRandomGenerator& random, qsizetype count, int shared, int percent)
{
    Lengths lengths;
    for (qsizetype i = 0; i < count; ++i) {
        const int pick = int(random.bounded(100));
        lengths.push_back(pick < 5             ? std::nullopt
                          : pick < 5 + percent ? std::optional<qint64>(pick % shared)
                                               : std::optional<qint64>(1000 + i));
    }
    return lengths;
}

// A file list of a temporary folder's "*.txt" files, with the check that reads it; then the
// removed files are deleted behind the list's back.
struct Folder {
    QTemporaryDir dir;
    test::TestPlatform platform;
    FileList fileList;
    SizeCheck check{fileList, platform, nullptr};

    Folder(const Files& files, const QString& selected, const QStringList& removed = {})
    {
        for (const auto& [name, length] : files)
            QVERIFY(test::makeFile(dir.filePath(name), length));
        QVERIFY(fileList.setPattern(QStringLiteral("*.txt")));
        QVERIFY(fileList.setPath(QFile::encodeName(dir.path())));
        for (int i = 0; i < fileList.count(); ++i) {
            if (fileList.entryDisplayName(i) == selected)
                fileList.setSelectedIndex(i);
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
    void fullReportAsTheAllPairsLoop_data();
    void fullReportAsTheAllPairsLoop();
    void largeGroupsAsTheAllPairsLoop();
    void singleReportLeavesOutOnlyTheSelectedPosition();
    void checkFolder_data();
    void checkFolder();
    void resultsWindowScrollsLikeTheLabel();
    void largeReportScrollsToItsLastLine();
};

void SizeCheckTest::fullReportAsTheAllPairsLoop_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("shared");
    QTest::addColumn<quint32>("seed");
    for (int round = 0; round < 40; ++round) {
        QTest::addRow("%d entries, round %d", round % 20 * 3, round)
            << round % 20 * 3 << 3 << quint32(round);
    }
    QTest::newRow("a few hundred, some groups of a hundred") << 400 << 4 << 1u;
}

// Every line, the text's size and its width, against the report a loop over every pair
// builds.
void SizeCheckTest::fullReportAsTheAllPairsLoop()
{
    QFETCH(int, count);
    QFETCH(int, shared);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const Lengths lengths = randomLengths(random, count, shared, 30);
    NameList names;
    for (qsizetype i = 0; i < count; ++i)
        names.append(nameOf(i));
    QString expected;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        for (std::size_t j = i + 1; j < lengths.size(); ++j) {
            if (lengths[i] && lengths[i] == lengths[j])
                expected += match(names.displayNameAt(i), names.displayNameAt(j));
        }
    }
    const FullCheckReport report(names, lengths);
    if (expected.isEmpty()) {
        QCOMPARE(report.pairCount(), 0u);
        return;
    }
    expected += '\r' + kFullRule;
    QCOMPARE(report.text(), expected);
    QCOMPARE(report.lineCount(), quint64(expected.count(u'\r')) + 1);
    QCOMPARE(report.textSize(), quint64(expected.toUtf8().size()));
    const QFontMetrics metrics(QApplication::font());
    QCOMPARE(report.width(metrics), report.ReportLines::width(metrics));
}

// Interleaved groups of thousands: sampled lines against the pairs in the order of the loop
// over every pair, and the size the loop's lines add up to.
void SizeCheckTest::largeGroupsAsTheAllPairsLoop()
{
    QRandomGenerator random(99);
    constexpr qsizetype kCount = 8000;
    const Lengths lengths = randomLengths(random, kCount, 2, 60);
    NameList names;
    for (qsizetype i = 0; i < kCount; ++i)
        names.append(nameOf(i));
    const FullCheckReport report(names, lengths);
    const quint64 fixedBytes = quint64(matchLine({}, {}).toUtf8().size());
    std::vector<quint64> nameBytes;
    for (qsizetype i = 0; i < kCount; ++i)
        nameBytes.push_back(quint64(names.displayNameAt(std::size_t(i)).toUtf8().size()));
    quint64 pair = 0;
    quint64 bytes = 0;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        for (std::size_t j = i + 1; j < lengths.size(); ++j) {
            if (!lengths[i] || lengths[i] != lengths[j])
                continue;
            bytes += fixedBytes + nameBytes[i] + nameBytes[j];
            if (pair % 997 == 0 || pair < 3) {
                QCOMPARE(report.line(2 * pair + 1),
                         matchLine(names.displayNameAt(i), names.displayNameAt(j)));
                QCOMPARE(report.line(2 * pair + 2), QString());
            }
            ++pair;
        }
    }
    QVERIFY(pair > 4'000'000);
    QCOMPARE(report.pairCount(), pair);
    QCOMPARE(report.lineCount(), 2 * pair + 2);
    QCOMPARE(report.line(2 * pair - 1), report.line(2 * pair - 1)); // made again alike
    QCOMPARE(report.line(2 * pair + 1), kFullRule);
    QCOMPARE(report.line(2 * pair + 2), QString());
    QCOMPARE(report.textSize(), bytes + kFullRule.toUtf8().size() + 2 * pair + 1);
}

// Two names that are not UTF-8 show alike: the twin of the selected entry is still a match.
void SizeCheckTest::singleReportLeavesOutOnlyTheSelectedPosition()
{
    NameList entries;
    for (const char* name : {"odd \xff.txt", "odd \xfe.txt", "z.txt"})
        entries.append(name);
    const QString shown = entries.displayNameAt(0);
    QCOMPARE(SingleCheckReport(entries, {4, 4, 4}, 0, 4).text(),
             match(shown, shown) + match(shown, "z.txt") + '\r' + kSingleRule);
}

void SizeCheckTest::checkFolder_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("selected"); // empty: the full check
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QString>("shown"); // "window" or "message", the title, then the text

    // c.txt is deleted behind the list's back, the .log files are hidden by the pattern; 3 GiB
    // and 7 GiB are equal in their low 32 bits.
    const Files files{{"a.txt", 0},        {"b.txt", 0}, {"c.txt", 0},       {"d.txt", 0},
                      {"e.txt", 7 * kGiB}, {"f.log", 0}, {"g.txt", 3 * kGiB}};
    QTest::newRow("single: matches") << files << "b.txt" << QStringList{"c.txt"}
                                     << "message检查结果" + match("b.txt", "a.txt") +
                                            match("b.txt", "d.txt") + '\r' + kSingleRule;
    QTest::newRow("single: no match") << files << "g.txt" << QStringList{}
                                      << "message检查结果没有检测到与 “g.txt” 大小一致的文件!";
    QTest::newRow("single: the selected file deleted outside")
        << files << "a.txt" << QStringList{"a.txt"}
        << "message出错提示!位置：\r%1/a.txt\r没有此文件！请检查！";
    // Nine matches make 20 lines, the most a message box shows; ten go to the window.
    for (const int count : {10, 11}) {
        Files equal;
        QString report;
        for (int i = 0; i < count; ++i) {
            equal.append({QStringLiteral("%1.txt").arg(i + 10), 5});
            report += i > 0 ? match("10.txt", QStringLiteral("%1.txt").arg(i + 10)) : "";
        }
        QTest::addRow("single: %d lines", 2 * count)
            << equal << "10.txt" << QStringList{}
            << (count == 10 ? "message检查结果" : "window检查结果") + report + '\r' + kSingleRule;
    }
    QTest::newRow("full: pairs in the order of the list")
        << Files{{"a.txt", 3 * kGiB}, {"b.txt", 5},        {"c.txt", 3 * kGiB},
                 {"d.txt", 5},        {"e.txt", 0},        {"f.txt", 3 * kGiB},
                 {"g.txt", 0},        {"h.log", 3 * kGiB}, {"x.txt", 7 * kGiB}}
        << "" << QStringList{}
        << "window检查结果" + match("a.txt", "c.txt") + match("a.txt", "f.txt") +
               match("b.txt", "d.txt") + match("c.txt", "f.txt") + match("e.txt", "g.txt") + '\r' +
               kFullRule;
    QTest::newRow("full: no match") << Files{{"a.txt", 4}, {"b.log", 4}} << "" << QStringList{}
                                    << "message检查结果没有检测到大小一致的文件!";
}

void SizeCheckTest::checkFolder()
{
    QFETCH(Files, files);
    QFETCH(QString, selected);
    QFETCH(QStringList, removed);
    QFETCH(QString, shown);
    Folder folder(files, selected, removed);
    if (selected.isEmpty())
        folder.check.checkAll();
    else
        folder.check.checkFile();

    ResultsWindow* form2 = folder.check.resultsWindow();
    const QList<test::ShownMessage>& messages = folder.platform.messages;
    QCOMPARE(messages.size(), form2 ? 0 : 1);
    QCOMPARE(form2 ? "window" + form2->windowTitle() + form2->report().text()
                   : "message" + messages[0].title + messages[0].prompt,
             shown.replace("%1", folder.dir.path()));
}

// The report of 30 files of one length scrolls by 100 twips a step, and a click copies it
// whole, wherever it is scrolled. A second check goes to the open window, shown from its top.
void SizeCheckTest::resultsWindowScrollsLikeTheLabel()
{
    Files files;
    for (int i = 0; i < 30; ++i)
        files.append({QStringLiteral("%1.txt").arg(i + 10), 1});
    Folder folder(files, {});
    folder.check.checkAll();
    QPointer<ResultsWindow> form2 = folder.check.resultsWindow();
    QVERIFY(form2->isVisible());
    auto& label1 = *form2->findChild<ReportView*>(QStringLiteral("Label1"));
    auto& vScroll1 = *form2->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    QCOMPARE(form2->frameGeometry().height(), 7000 / 15);
    QVERIFY(vScroll1.maximum() > 20);
    for (int position = 0; position <= vScroll1.maximum(); ++position) {
        vScroll1.setValue(position);
        QCOMPARE(label1.top(), quint64(100 * position / 15));
    }
    QTest::mouseClick(&label1, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(folder.platform.clipboard, form2->report().text());
    QVERIFY(folder.platform.clipboard.startsWith(match("10.txt", "11.txt")));

    QVERIFY(test::makeFile(folder.dir.filePath("40.txt"), 1));
    folder.check.checkAll();
    QCOMPARE(folder.check.resultsWindow(), form2.data());
    QVERIFY(form2->report().text().contains(match("39.txt", "40.txt")));
    QCOMPARE(vScroll1.value(), 0);
    QCOMPARE(label1.top(), 0u);
}

// 40,000 entries of one length make about 1.6e9 lines, far more positions than the scroll
// bar holds: keys, the wheel, the bar's track and its thumb still move by whole steps of 100
// twips or reach both ends, and the last line comes into view.
void SizeCheckTest::largeReportScrollsToItsLastLine()
{
    constexpr qsizetype kCount = 40000;
    NameList names;
    for (qsizetype i = 0; i < kCount; ++i)
        names.append(QByteArray::number(i));
    test::TestPlatform platform;
    ResultsWindow form2(platform, kResultsTitle, nullptr);
    form2.showReport(std::make_unique<FullCheckReport>(names, Lengths(kCount, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(&form2));
    auto& label1 = *form2.findChild<ReportView*>(QStringLiteral("Label1"));
    auto& vScroll1 = *form2.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    QCOMPARE(form2.report().lineCount(), quint64(kCount) * (kCount - 1) + 2);
    QCOMPARE(vScroll1.maximum(), kBarPositions);
    const QString end = match("39998", "39999") + '\r' + kFullRule;

    QTest::keyClick(&label1, Qt::Key_End);
    QVERIFY2(label1.visibleText().endsWith(end), qPrintable(label1.visibleText().right(200)));
    QCOMPARE(vScroll1.value(), kBarPositions);
    const quint64 bottom = label1.top();
    QTest::keyClick(&label1, Qt::Key_Up);
    // 100 twips are 6 2/3 pixels.
    QVERIFY(bottom - label1.top() == 6 || bottom - label1.top() == 7);
    QTest::keyClick(&label1, Qt::Key_Down);
    QCOMPARE(label1.top(), bottom);
    QTest::keyClick(&label1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(platform.clipboard, label1.visibleText());

    QTest::keyClick(&label1, Qt::Key_Home);
    QCOMPARE(label1.top(), 0u);
    QVERIFY(label1.visibleText().startsWith(match("0", "1")));
    // Two half turns of a touchpad make one notch of the wheel.
    for (int half = 0; half < 2; ++half) {
        QWheelEvent wheel(QPointF(5, 5), label1.mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -60),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&label1, &wheel);
    }
    QCOMPARE(label1.top(), scrolledPixels(3));
    // A click on the track below the thumb moves one page of ten steps.
    QTest::mouseClick(&vScroll1, Qt::LeftButton, {},
                      QPoint(vScroll1.width() / 2, vScroll1.height() * 3 / 4));
    QCOMPARE(label1.top(), scrolledPixels(13));
    // The thumb, at the top, dragged past the bottom.
    const QPoint thumb(vScroll1.width() / 2, vScroll1.width() + 3);
    QTest::mousePress(&vScroll1, Qt::LeftButton, {}, thumb);
    QMouseEvent drag(QEvent::MouseMove, QPointF(thumb.x(), vScroll1.height() + 50),
                     vScroll1.mapToGlobal(QPointF(thumb.x(), vScroll1.height() + 50)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(&vScroll1, &drag);
    QTest::mouseRelease(&vScroll1, Qt::LeftButton, {}, QPoint(thumb.x(), vScroll1.height() + 50));
    QCOMPARE(label1.top(), bottom);
    QVERIFY(label1.visibleText().endsWith(end));
}

QTEST_MAIN(SizeCheckTest)
#include "SizeCheckTest.moc"
