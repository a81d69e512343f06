#include "dupcheck/SizeCheck.h"
#include "texts/FullCheckReport.h"
#include "texts/SingleCheckReport.h"
#include "widgets/ReportView.h"
#include "widgets/ResultsLayout.h"

#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QFontMetrics>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace vornak;

namespace {

using Files = QList<std::pair<QString, qint64>>;
constexpr qint64 kGiB = qint64(1) << 30;
const QString kFullRule = QStringLiteral("-------检查完成-------");
// 37 hyphens, 检查完成, 39 hyphens.
const QString kSingleRule = QString(37, u'-') + "检查完成" + QString(39, u'-');

QString matchLine(const QString& first, const QString& second)
{
    return "文件 “" + first + "” 跟 “" + second + "” 大小一致，可能是重复文件";
}

QString match(const QString& first, const QString& second)
{
    return '\r' + matchLine(first, second) + '\r';
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
    // About `percent` of the entries share one of `shared` lengths, the rest are unique, and one
    // in twenty cannot be read.
    void fullReportAsTheAllPairsLoop_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("shared");
        QTest::addColumn<int>("percent");
        QTest::addColumn<quint32>("seed");
        for (int round = 0; round < 40; ++round)
            QTest::addRow("%d entries, round %d", round % 20 * 3, round)
                << round % 20 * 3 << 3 << 30 << quint32(round);
        QTest::newRow("a few hundred, some groups of a hundred") << 400 << 4 << 30 << 1u;
        QTest::newRow("interleaved groups of thousands") << 8000 << 2 << 60 << 99u;
    }
    // Every line (every 997th of millions), the text's size and its width, against the report
    // a loop over every pair builds. Names of every kind the list shows: plain, CJK, emoji, and
    // bytes that are not UTF-8.
    void fullReportAsTheAllPairsLoop()
    {
        QFETCH(int, count);
        QFETCH(int, shared);
        QFETCH(int, percent);
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        Lengths lengths;
        NameList names;
        std::vector<quint64> nameBytes;
        for (int i = 0; i < count; ++i) {
            const int pick = int(random.bounded(100));
            lengths.push_back(pick < 5             ? std::nullopt
                              : pick < 5 + percent ? std::optional<qint64>(pick % shared)
                                                   : std::optional<qint64>(1000 + i));
            names.append((QList<QByteArray>{"n", "名字", "😀 ", "\xff\xfe"}[i % 4]) +
                         QByteArray::number(i));
            nameBytes.push_back(quint64(names.displayNameAt(std::size_t(i)).toUtf8().size()));
        }
        const FullCheckReport report(names, lengths);
        const quint64 fixedBytes = quint64(matchLine({}, {}).toUtf8().size());
        quint64 pairs = 0;
        quint64 bytes = 0;
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            for (std::size_t j = i + 1; j < lengths.size(); ++j) {
                if (!lengths[i] || lengths[i] != lengths[j])
                    continue;
                bytes += fixedBytes + nameBytes[i] + nameBytes[j];
                if (count <= 400 || pairs % 997 == 0) {
                    QCOMPARE(report.line(2 * pairs + 1),
                             matchLine(names.displayNameAt(i), names.displayNameAt(j)));
                    QCOMPARE(report.line(2 * pairs + 2), QString());
                }
                ++pairs;
            }
        }
        QCOMPARE(report.pairCount(), pairs);
        if (pairs == 0)
            return;
        QCOMPARE(report.lineCount(), 2 * pairs + 2);
        QCOMPARE(report.line(0), QString());
        QCOMPARE(report.line(2 * pairs + 1), kFullRule);
        QCOMPARE(report.textSize(), bytes + quint64(kFullRule.toUtf8().size()) + 2 * pairs + 1);
        const QFontMetrics metrics(QApplication::font());
        const auto width = [&metrics](const QString& text) {
            return metrics.horizontalAdvance(text);
        };
        const auto widest = [&width](const QStringList& lines) {
            return std::ranges::max(lines, {}, width);
        };
        if (count <= 400)
            QCOMPARE(width(widest(report.widestLines(width))),
                     width(widest(report.ReportLines::widestLines(width))));
    }

    // Two names that are not UTF-8 show alike: the twin of the selected entry is still a match.
    void singleReportLeavesOutOnlyTheSelectedPosition()
    {
        NameList entries;
        for (const char* name : {"odd \xff.txt", "odd \xfe.txt", "z.txt"})
            entries.append(name);
        const QString shown = entries.displayNameAt(0);
        QCOMPARE(SingleCheckReport(entries, {4, 4, 4}, 0, 4).text(),
                 match(shown, shown) + match(shown, "z.txt") + '\r' + kSingleRule);
    }

    // The title and text of the results window, or of the message box.
    void checkFolder_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("selected"); // empty: the full check
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("shown");

        // c.txt is deleted behind the list's back, the .log files are hidden by the pattern;
        // 3 GiB and 7 GiB are equal in their low 32 bits.
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
            Files equal{{"10.txt", 5}};
            QString report;
            for (int i = 11; i < 10 + count; ++i) {
                equal.append({QStringLiteral("%1.txt").arg(i), 5});
                report += match("10.txt", equal.last().first);
            }
            QTest::addRow("single: %d lines", 2 * count)
                << equal << "10.txt" << QStringList{}
                << (count == 10 ? "message检查结果" : "window检查结果") + report + '\r' +
                       kSingleRule;
        }
        QTest::newRow("full: pairs in the order of the list")
            << Files{{"a.txt", 3 * kGiB}, {"b.txt", 5},        {"c.txt", 3 * kGiB},
                     {"d.txt", 5},        {"e.txt", 0},        {"f.txt", 3 * kGiB},
                     {"g.txt", 0},        {"h.log", 3 * kGiB}, {"x.txt", 7 * kGiB}}
            << "" << QStringList{}
            << "window检查结果" + match("a.txt", "c.txt") + match("a.txt", "f.txt") +
                   match("b.txt", "d.txt") + match("c.txt", "f.txt") + match("e.txt", "g.txt") +
                   '\r' + kFullRule;
        QTest::newRow("full: no match") << Files{{"a.txt", 4}, {"b.log", 4}} << "" << QStringList{}
                                        << "message检查结果没有检测到大小一致的文件!";
    }
    void checkFolder()
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

    // The report of 30 files of one length fills a window 7000 twips high; a click copies it
    // whole, wherever it is scrolled. A second check goes to the open window, shown from its top.
    void secondCheckGoesToTheOpenWindow()
    {
        Files files;
        for (int i = 10; i < 40; ++i)
            files.append({QStringLiteral("%1.txt").arg(i), 1});
        Folder folder(files, {});
        folder.check.checkAll();
        QPointer<ResultsWindow> form2 = folder.check.resultsWindow();
        QVERIFY(form2 && form2->isVisible());
        QCOMPARE(form2->frameGeometry().height(), 7000 / 15);
        auto* label1 = form2->findChild<ReportView*>(QStringLiteral("Label1"));
        auto* vScroll1 = form2->findChild<QScrollBar*>(QStringLiteral("VScroll1"));
        QVERIFY(label1 && vScroll1);
        QTest::keyClick(label1, Qt::Key_End);
        QVERIFY(label1->top() > 0);
        QTest::mouseClick(label1, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(folder.platform.clipboard, form2->report().text());
        QVERIFY(test::makeFile(folder.dir.filePath("40.txt"), 1));
        folder.check.checkAll();
        QCOMPARE(folder.check.resultsWindow(), form2.data());
        QVERIFY(form2->report().text().contains(match("39.txt", "40.txt")));
        QCOMPARE(vScroll1->value(), 0);
        QCOMPARE(label1->top(), 0u);
    }

    // 40,000 entries of one length make about 1.6e9 lines, far more positions than the scroll
    // bar holds: keys, the wheel, the bar's track and its thumb still move by whole steps of
    // 100 twips or reach both ends, and the last line comes into view.
    void largeReportScrollsToItsLastLine()
    {
        constexpr qsizetype kCount = 40000;
        NameList names;
        for (qsizetype i = 0; i < kCount; ++i)
            names.append(QByteArray::number(i));
        test::TestPlatform platform;
        ResultsWindow form2(platform, kResultsTitle, nullptr, QStringLiteral("sizeCheck/place"));
        form2.showReport(std::make_unique<FullCheckReport>(names, Lengths(kCount, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(&form2));
        auto* label1 = form2.findChild<ReportView*>(QStringLiteral("Label1"));
        auto* vScroll1 = form2.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
        QVERIFY(label1 && vScroll1);
        QCOMPARE(form2.report().lineCount(), quint64(kCount) * (kCount - 1) + 2);
        QCOMPARE(vScroll1->maximum(), kBarPositions);
        const QString end = match("39998", "39999") + '\r' + kFullRule;

        QTest::keyClick(label1, Qt::Key_End);
        QVERIFY2(label1->visibleText().endsWith(end), qPrintable(label1->visibleText().right(200)));
        QCOMPARE(vScroll1->value(), kBarPositions);
        const quint64 bottom = label1->top();
        QTest::keyClick(label1, Qt::Key_Up);
        // 100 twips are 6 2/3 pixels.
        QVERIFY(bottom - label1->top() == 6 || bottom - label1->top() == 7);
        QTest::keyClick(label1, Qt::Key_Down);
        QCOMPARE(label1->top(), bottom);
        QTest::keyClick(label1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(platform.clipboard, label1->visibleText());

        QTest::keyClick(label1, Qt::Key_Home);
        QCOMPARE(label1->top(), 0u);
        QVERIFY(label1->visibleText().startsWith(match("0", "1")));
        // Two half turns of a touchpad make one notch of the wheel.
        for (int half = 0; half < 2; ++half) {
            QWheelEvent wheel(QPointF(5, 5), label1->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -60),
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(label1, &wheel);
        }
        QCOMPARE(label1->top(), scrolledPixels(3));
        // A click on the track below the thumb moves one page of ten steps.
        QTest::mouseClick(vScroll1, Qt::LeftButton, {},
                          QPoint(vScroll1->width() / 2, vScroll1->height() * 3 / 4));
        QCOMPARE(label1->top(), scrolledPixels(13));
        // The thumb, at the top, dragged past the bottom.
        const QPoint thumb(vScroll1->width() / 2, vScroll1->width() + 3);
        const QPoint below(thumb.x(), vScroll1->height() + 50);
        QTest::mousePress(vScroll1, Qt::LeftButton, {}, thumb);
        QMouseEvent drag(QEvent::MouseMove, below, vScroll1->mapToGlobal(below), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(vScroll1, &drag);
        QTest::mouseRelease(vScroll1, Qt::LeftButton, {}, below);
        QCOMPARE(label1->top(), bottom);
        QVERIFY(label1->visibleText().endsWith(end));
    }
};

QTEST_MAIN(SizeCheckTest)
#include "SizeCheckTest.moc"
