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

struct Window {
    test::TestPlatform platform;
    ResultsWindow form2{platform};
    QLabel& label1 = *form2.findChild<QLabel*>(QStringLiteral("Label1"));
    QScrollBar& vScroll1 = *form2.findChild<QScrollBar*>(QStringLiteral("VScroll1"));

    Window()
    {
        form2.setAttribute(Qt::WA_DeleteOnClose, false);
        form2.show();
    }
    int labelHeight() const { return pixelsToTwips(label1.height()); }
    int outerHeight() const { return pixelsToTwips(form2.frameGeometry().height()); }
};

} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowFitsTheReport_data();
    void windowFitsTheReport();
    void everyPositionScrollsALongReport();
    void aShortReportDoesNotMove();
    void clickCopiesTheWholeReport();
    void aNewReportStartsAtTheTop_data();
    void aNewReportStartsAtTheTop();
};

void ResultsWindowTest::windowFitsTheReport_data()
{
    QTest::addColumn<int>("matches");
    QTest::newRow("one match") << 1;
    QTest::newRow("a screenful") << 20;
    QTest::newRow("far taller than the window") << 400;
}

void ResultsWindowTest::windowFitsTheReport()
{
    QFETCH(int, matches);
    Window window;
    window.form2.setReport(reportOf(matches));

    const int labelHeight = window.labelHeight();
    QCOMPARE(window.label1.text().count(u'\n'), 2 * matches + 1);
    const int outerWidth = twipsToPixels(pixelsToTwips(window.label1.width()) + 655);
    QCOMPARE(window.form2.frameGeometry().width(), outerWidth);
    const int expectedHeight = labelHeight > 6600 ? 7000 : labelHeight + 400;
    QCOMPARE(window.form2.frameGeometry().height(), twipsToPixels(expectedHeight));
    QCOMPARE(window.form2.minimumSize(), window.form2.maximumSize());
    QCOMPARE(window.vScroll1.x(), twipsToPixels(pixelsToTwips(window.label1.width()) + 200));
    QCOMPARE(window.vScroll1.height(), twipsToPixels(window.outerHeight() - 400));
    QCOMPARE(window.vScroll1.maximum(), scrollRange(labelHeight, window.outerHeight()).barMaximum);
}

void ResultsWindowTest::everyPositionScrollsALongReport()
{
    Window window;
    window.form2.setReport(reportOf(400));
    QVERIFY(window.labelHeight() > window.outerHeight());
    QVERIFY(window.vScroll1.maximum() > 20);
    for (int position = 0; position <= window.vScroll1.maximum(); ++position) {
        window.vScroll1.setValue(position);
        QCOMPARE(window.label1.y(), twipsToPixels(-100 * position));
    }
    // At the end the label's last line lies well inside the window.
    const int bottom = window.label1.y() + window.label1.height();
    QVERIFY(bottom < window.form2.height());
    QVERIFY(bottom > 0);
}

void ResultsWindowTest::aShortReportDoesNotMove()
{
    Window window;
    window.form2.setReport(reportOf(3));
    QCOMPARE(window.vScroll1.maximum(), 20);
    for (int position : {1, 10, 20}) {
        window.vScroll1.setValue(position);
        QCOMPARE(window.label1.y(), 0);
    }
}

void ResultsWindowTest::clickCopiesTheWholeReport()
{
    Window window;
    const QString report = reportOf(400);
    window.form2.setReport(report);
    window.vScroll1.setValue(window.vScroll1.maximum());
    QVERIFY(window.label1.y() < 0);

    QTest::mouseClick(&window.label1, Qt::LeftButton, {}, QPoint(5, 5 - window.label1.y()));
    QCOMPARE(window.platform.clipboard, report);
    QVERIFY(!window.platform.clipboard.contains(u'\n'));
}

void ResultsWindowTest::aNewReportStartsAtTheTop_data()
{
    QTest::addColumn<int>("matches");
    QTest::newRow("another long report") << 300;
    QTest::newRow("a report that does not scroll") << 3;
}

void ResultsWindowTest::aNewReportStartsAtTheTop()
{
    QFETCH(int, matches);
    Window window;
    window.form2.setReport(reportOf(400));
    window.vScroll1.setValue(30);
    QVERIFY(window.label1.y() < 0);

    window.form2.setReport(reportOf(matches));
    QCOMPARE(window.vScroll1.value(), 0);
    QCOMPARE(window.label1.y(), 0);
}

QTEST_MAIN(ResultsWindowTest)
#include "ResultsWindowTest.moc"
