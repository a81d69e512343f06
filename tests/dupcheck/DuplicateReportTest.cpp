#include "dupcheck/DuplicateReport.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vornak;

namespace {

std::vector<FileEntry> entriesNamed(const QStringList& names)
{
    std::vector<FileEntry> entries;
    for (const QString& name : names)
        entries.push_back({name.toUtf8(), name});
    return entries;
}

constexpr qint64 kGiB = qint64(1) << 30;

} // namespace

class DuplicateReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullReport_data();
    void fullReport();
    void singleReport_data();
    void singleReport();
    void chainsGiveThePairsOfTheAllPairsLoop();
};

void DuplicateReportTest::fullReport_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Lengths>("lengths");
    QTest::addColumn<QString>("expected");

    const QString ab = QStringLiteral("文件 “a” 跟 “b” 大小一致，可能是重复文件");
    const QString ac = QStringLiteral("文件 “a” 跟 “c” 大小一致，可能是重复文件");
    const QString bc = QStringLiteral("文件 “b” 跟 “c” 大小一致，可能是重复文件");
    const QString rule = QStringLiteral("-------检查完成-------");
    QTest::newRow("nothing listed") << QStringList{} << Lengths{} << QString();
    QTest::newRow("all lengths differ")
        << QStringList{"a", "b", "c"} << Lengths{1, 2, 3} << QString();
    QTest::newRow("one pair") << QStringList{"a", "b"} << Lengths{7, 7}
                              << QString("\r" + ab + "\r\r" + rule);
    QTest::newRow("three of one length, by first index then second")
        << QStringList{"a", "b", "c"} << Lengths{4, 4, 4}
        << QString("\r" + ab + "\r\r" + ac + "\r\r" + bc + "\r\r" + rule);
    QTest::newRow("two groups interleaved")
        << QStringList{"a", "x", "b", "c"} << Lengths{4, 9, 9, 4}
        << QString("\r" + ac + "\r\r文件 “x” 跟 “b” 大小一致，可能是重复文件\r\r" + rule);
    QTest::newRow("zero-length files match")
        << QStringList{"a", "b"} << Lengths{0, 0} << QString("\r" + ab + "\r\r" + rule);
    QTest::newRow("unreadable lengths never match")
        << QStringList{"a", "b", "c"} << Lengths{std::nullopt, std::nullopt, 3} << QString();
    QTest::newRow("3 GiB files of equal length")
        << QStringList{"a", "b"} << Lengths{3 * kGiB, 3 * kGiB}
        << QString("\r" + ab + "\r\r" + rule);
    QTest::newRow("lengths equal in their low 32 bits only")
        << QStringList{"a", "b"} << Lengths{kGiB, 5 * kGiB} << QString();
}

void DuplicateReportTest::fullReport()
{
    QFETCH(QStringList, names);
    QFETCH(Lengths, lengths);
    QFETCH(QString, expected);
    QCOMPARE(fullCheckReport(entriesNamed(names), lengths), expected);
}

void DuplicateReportTest::singleReport_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Lengths>("lengths");
    QTest::addColumn<int>("selected");
    QTest::addColumn<std::optional<qint64>>("selectedLength");
    QTest::addColumn<QString>("expected");

    const QString rule = QStringLiteral(
        "-------------------------------------检查完成---------------------------------------");
    QCOMPARE(rule.size(), 80);
    QTest::newRow("two matches") << QStringList{"a.txt", "b.txt", "c.txt", "d.txt"}
                                 << Lengths{std::nullopt, 5, 6, 5} << 0 << std::optional<qint64>(5)
                                 << QString(
                                        "\r文件 “a.txt” 跟 “b.txt” 大小一致，可能是重复文件\r"
                                        "\r文件 “a.txt” 跟 “d.txt” 大小一致，可能是重复文件\r\r" +
                                        rule);
    QTest::newRow("selected in the middle, never against itself")
        << QStringList{"a", "b", "c"} << Lengths{3, std::nullopt, 3} << 1
        << std::optional<qint64>(3)
        << QString("\r文件 “b” 跟 “a” 大小一致，可能是重复文件\r"
                   "\r文件 “b” 跟 “c” 大小一致，可能是重复文件\r\r" +
                   rule);
    QTest::newRow("an entry of the same name is still another entry")
        << QStringList{"a", "a"} << Lengths{std::nullopt, 8} << 0 << std::optional<qint64>(8)
        << QString("\r文件 “a” 跟 “a” 大小一致，可能是重复文件\r\r" + rule);
    QTest::newRow("no match") << QStringList{"a.txt", "b.txt"} << Lengths{1, std::nullopt} << 1
                              << std::optional<qint64>(2)
                              << QStringLiteral("没有检测到与 “b.txt” 大小一致的文件!");
    QTest::newRow("selected length unreadable, others unreadable too")
        << QStringList{"a", "b"} << Lengths{std::nullopt, std::nullopt} << 0
        << std::optional<qint64>() << QStringLiteral("没有检测到与 “a” 大小一致的文件!");
    QTest::newRow("3 GiB against 3 GiB and against 3 GiB plus 4 GiB")
        << QStringList{"a", "b", "c"} << Lengths{std::nullopt, 3 * kGiB, 7 * kGiB} << 0
        << std::optional<qint64>(3 * kGiB)
        << QString("\r文件 “a” 跟 “b” 大小一致，可能是重复文件\r\r" + rule);
}

void DuplicateReportTest::singleReport()
{
    QFETCH(QStringList, names);
    QFETCH(Lengths, lengths);
    QFETCH(int, selected);
    QFETCH(std::optional<qint64>, selectedLength);
    QFETCH(QString, expected);
    QCOMPARE(singleCheckReport(entriesNamed(names), lengths, selected, selectedLength), expected);
}

void DuplicateReportTest::chainsGiveThePairsOfTheAllPairsLoop()
{
    QRandomGenerator random(4711);
    for (int round = 0; round < 50; ++round) {
        Lengths lengths(random.bounded(60));
        for (auto& length : lengths) {
            const int pick = random.bounded(8);
            length = pick == 0 ? std::nullopt : std::optional<qint64>(pick);
        }
        QList<std::pair<qsizetype, qsizetype>> allPairs;
        for (qsizetype i = 0; i < qsizetype(lengths.size()); ++i) {
            for (qsizetype j = i + 1; j < qsizetype(lengths.size()); ++j) {
                if (lengths[std::size_t(i)] && lengths[std::size_t(i)] == lengths[std::size_t(j)])
                    allPairs.append({i, j});
            }
        }
        const std::vector<qsizetype> next = nextOfEqualLength(lengths);
        QList<std::pair<qsizetype, qsizetype>> chained;
        for (qsizetype i = 0; i < qsizetype(next.size()); ++i) {
            for (qsizetype j = next[std::size_t(i)]; j >= 0; j = next[std::size_t(j)])
                chained.append({i, j});
        }
        QCOMPARE(chained, allPairs);
    }
}

QTEST_APPLESS_MAIN(DuplicateReportTest)
#include "DuplicateReportTest.moc"
