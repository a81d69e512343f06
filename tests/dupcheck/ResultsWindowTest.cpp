#include "dupcheck/ResultsWindow.h"
#include "dupcheck/ResultsLayout.h"

#include "platform/Twips.h"
#include "support/TestPlatform.h"

#include <QTest>

using namespace vornak;

namespace {

// A report of the given number of match lines, shaped as the full check writes it.
QString reportOf(int matches)
{
    QString report;
    for (int i = 0; i < matches; ++i)
        report += QStringLiteral("\r文件 “a%1” 跟 “b%1” 大小一致，可能是重复文件\r").arg(i);
    return report + QStringLiteral("\r-------检查完成-------");
}

} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutFollowsTheLabel_data();
    void layoutFollowsTheLabel();
    void showsScrollsAndCopiesTheReport_data();
    void showsScrollsAndCopiesTheReport();
};

// All in twips, for a label 500 wide beside a scroll bar 375 wide.
void ResultsWindowTest::layoutFollowsTheLabel_data()
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

void ResultsWindowTest::layoutFollowsTheLabel()
{
    QFETCH(int, labelHeight);
    QFETCH(int, windowHeight);
    QFETCH(int, barMaximum);
    const ResultsLayout layout = resultsLayout(500, labelHeight, 375);
    QCOMPARE(layout.windowWidth, 1155);
    QCOMPARE(layout.windowHeight, windowHeight);
    QCOMPARE(layout.barLeft, 700);
    const ScrollRange range = scrollRange(labelHeight, windowHeight);
    QCOMPARE(range.barHeight, windowHeight - 400);
    QCOMPARE(range.barMaximum, barMaximum);
    QCOMPARE(labelScrolls(labelHeight, windowHeight), barMaximum != 20);
}

void ResultsWindowTest::showsScrollsAndCopiesTheReport_data()
{
    QTest::addColumn<int>("matches");
    QTest::newRow("one match, does not scroll") << 1;
    QTest::newRow("far taller than the window") << 400;
}

void ResultsWindowTest::showsScrollsAndCopiesTheReport()
{
    QFETCH(int, matches);
    test::TestPlatform platform;
    ResultsWindow form2(platform);
    form2.setAttribute(Qt::WA_DeleteOnClose, false);
    form2.show();
    QLabel& label1 = *form2.findChild<QLabel*>(QStringLiteral("Label1"));
    QScrollBar& vScroll1 = *form2.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    const QString report = reportOf(matches);
    form2.setReport(report);

    QCOMPARE(label1.text().count(u'\n'), 2 * matches + 1);
    const int labelWidth = pixelsToTwips(label1.width());
    const int labelHeight = pixelsToTwips(label1.height());
    const int outerHeight = pixelsToTwips(form2.frameGeometry().height());
    QCOMPARE(form2.frameGeometry().width(), twipsToPixels(labelWidth + 655));
    QCOMPARE(form2.frameGeometry().height(),
             twipsToPixels(labelHeight > 6600 ? 7000 : labelHeight + 400));
    QCOMPARE(form2.minimumSize(), form2.maximumSize());
    QCOMPARE(vScroll1.x(), twipsToPixels(labelWidth + 200));
    QCOMPARE(vScroll1.height(), twipsToPixels(outerHeight - 400));

    // Every position moves a long label by 100 twips a step, its end coming into view; a
    // short label stays put.
    const bool scrolls = matches > 1;
    QCOMPARE(labelHeight > outerHeight, scrolls);
    QCOMPARE(vScroll1.maximum(), scrollRange(labelHeight, outerHeight).barMaximum);
    for (int position = 0; position <= vScroll1.maximum(); ++position) {
        vScroll1.setValue(position);
        QCOMPARE(label1.y(), scrolls ? twipsToPixels(-100 * position) : 0);
    }
    const int bottom = label1.y() + label1.height();
    QVERIFY(bottom > 0 && (!scrolls || bottom < form2.height()));

    // A click copies the whole report, line breaks as CRs, wherever it is scrolled.
    QTest::mouseClick(&label1, Qt::LeftButton, {}, QPoint(5, 5 - label1.y()));
    QCOMPARE(platform.clipboard, report);

    form2.setReport(reportOf(3));
    QCOMPARE(vScroll1.value(), 0);
    QCOMPARE(label1.y(), 0);
}

QTEST_MAIN(ResultsWindowTest)
#include "ResultsWindowTest.moc"
