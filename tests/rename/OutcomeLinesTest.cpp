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
};

QTEST_MAIN(OutcomeLinesTest)
#include "OutcomeLinesTest.moc"
