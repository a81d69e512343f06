#include "dupcheck/ResultsLayout.h"

#include <QTest>

using namespace vornak;

class ResultsLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutFollowsTheLabel_data();
    void layoutFollowsTheLabel();
};

void ResultsLayoutTest::layoutFollowsTheLabel_data()
{
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<int>("labelHeight");
    QTest::addColumn<int>("windowWidth");
    QTest::addColumn<int>("windowHeight");
    QTest::addColumn<int>("barLeft");
    QTest::addColumn<int>("barHeight");
    QTest::addColumn<int>("barMaximum");
    QTest::addColumn<bool>("scrolls");

    QTest::newRow("few lines") << 3000 << 3000 << 3655 << 3400 << 3200 << 3000 << 20 << false;
    QTest::newRow("highest before the cap")
        << 500 << 6600 << 1155 << 7000 << 700 << 6600 << 20 << false;
    QTest::newRow("capped, still shorter than the window")
        << 500 << 6800 << 1155 << 7000 << 700 << 6600 << 20 << false;
    QTest::newRow("as tall as the window")
        << 500 << 7000 << 1155 << 7000 << 700 << 6600 << 20 << false;
    QTest::newRow("10.5 rounds down to even")
        << 500 << 7050 << 1155 << 7000 << 700 << 6600 << 10 << true;
    QTest::newRow("11.5 rounds up to even")
        << 500 << 7150 << 1155 << 7000 << 700 << 6600 << 12 << true;
    QTest::newRow("11.51 rounds up") << 500 << 7151 << 1155 << 7000 << 700 << 6600 << 12 << true;
    QTest::newRow("10.49 rounds down") << 500 << 7049 << 1155 << 7000 << 700 << 6600 << 10 << true;
    QTest::newRow("long report") << 9000 << 12000 << 9655 << 7000 << 9200 << 6600 << 60 << true;
}

void ResultsLayoutTest::layoutFollowsTheLabel()
{
    QFETCH(int, labelWidth);
    QFETCH(int, labelHeight);
    QFETCH(int, windowWidth);
    QFETCH(int, windowHeight);
    QFETCH(int, barLeft);
    QFETCH(int, barHeight);
    QFETCH(int, barMaximum);
    QFETCH(bool, scrolls);

    const ResultsLayout layout = resultsLayout(labelWidth, labelHeight, 375);
    QCOMPARE(layout.windowWidth, windowWidth);
    QCOMPARE(layout.windowHeight, windowHeight);
    QCOMPARE(layout.barLeft, barLeft);
    const ScrollRange range = scrollRange(labelHeight, layout.windowHeight);
    QCOMPARE(range.barHeight, barHeight);
    QCOMPARE(range.barMaximum, barMaximum);
    QCOMPARE(labelScrolls(labelHeight, layout.windowHeight), scrolls);
}

QTEST_APPLESS_MAIN(ResultsLayoutTest)
#include "ResultsLayoutTest.moc"
