#include "rename/OutcomeLines.h"

#include <QFontMetrics>
#include <QTest>

#include <limits>

using namespace vornak;

// An outcome measured on the run's thread is as wide as its widest line, whichever line has
// the most characters; shown in another font, its lines are measured again.
class OutcomeLinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void isAsWideAsItsWidestLine_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("shownPixels"); // the outcome is measured at 12 pixels
        const QStringList narrow(40, QStringLiteral("iiiiiiiiiiiiiiiiiiii"));
        QTest::newRow("few wide characters after many narrow lines")
            << narrow + QStringList{QStringLiteral("照片照片照片照片照片照片")} << 12;
        QTest::newRow("emoji beyond the basic plane")
            << narrow + QStringList{QStringLiteral("🎉🎉🎉🎉🎉🎉🎉🎉🎉🎉")} << 12;
        QTest::newRow("shown in another font") << narrow << 20;
        QTest::newRow("nothing but the first line")
            << QStringList{QStringLiteral("已重命名")} << 12;
    }
    void isAsWideAsItsWidestLine()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, shownPixels);
        QFont font;
        font.setPixelSize(12);
        const OutcomeLines outcome(
            quint64(lines.size()),
            [&lines](quint64 k, const OutcomeNameFit&) { return lines[qsizetype(k)]; },
            [&lines](quint64 k, CharAdvances& advances) {
                return advances.width(lines[qsizetype(k)]);
            },
            font, std::numeric_limits<int>::max());
        font.setPixelSize(shownPixels);
        const QFontMetrics shown(font);
        const auto width = [&shown](const QString& text) { return shown.horizontalAdvance(text); };
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, width(line));
        int measured = 0;
        for (const QString& line : outcome.widestLines(width))
            measured = std::max(measured, width(line));
        QCOMPARE(measured, widest);
    }

    // Names that do not fit the room with the rest of their line are shortened in the middle,
    // each within its half or what the other leaves of it; the reason always shows.
    void fitsNamesToTheRoom_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("shownFrom"); // "…" where shortened
        QTest::addColumn<QString>("shownTo");
        const QByteArray cjk = QString(85, u'照').toUtf8();
        QTest::newRow("both fit") << QByteArray("a.txt") << QByteArray("b.txt") << "a.txt"
                                  << "b.txt";
        QTest::newRow("a short name stays whole") << QByteArray("a.txt") << cjk << "a.txt"
                                                  << "…";
        QTest::newRow("both long") << cjk << QByteArray(200, 'x') << "…"
                                   << "…";
        QTest::newRow("not UTF-8") << QByteArray(200, '\xff') << QByteArray("b") << "…"
                                   << "b";
    }
    void fitsNamesToTheRoom()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, shownFrom);
        QFETCH(QString, shownTo);
        QFont font;
        font.setPixelSize(12);
        const QFontMetrics metrics(font);
        constexpr int room = 400;
        const auto compose = [](const QString& a, const QString& b) {
            return a + u'>' + b + QStringLiteral("：新名称已被占用");
        };
        const QString line = OutcomeNameFit(font, room).line(from, to, compose);
        // Shortened names take the room the line leaves them, within a character or two.
        const int width = metrics.horizontalAdvance(line);
        QVERIFY2(width <= room, qPrintable(line));
        QVERIFY(!line.contains(u'…') || width > room - 2 * metrics.horizontalAdvance(u'照'));
        QVERIFY(line.endsWith(QStringLiteral("：新名称已被占用")));
        const QStringList names = line.section(u'：', 0, 0).split(u'>');
        for (const auto& [shown, expected] : {std::pair(names[0], shownFrom), {names[1], shownTo}})
            QVERIFY2(expected == QStringLiteral("…") ? shown.contains(expected) : shown == expected,
                     qPrintable(shown));
    }
};

QTEST_MAIN(OutcomeLinesTest)
#include "OutcomeLinesTest.moc"
