#include "widgets/ResultsWindow.h"
#include "texts/TextLines.h"
#include "widgets/ReportView.h"
#include "widgets/ResultsLayout.h"
#include "widgets/WindowPlacement.h"

#include "support/TestPlatform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vornak;

namespace {

// A short report that claims the size given, as a long one would.
class SizedLines : public TextLines {
public:
    SizedLines(const QString& text, quint64 size) : TextLines(text), m_size(size) {}
    quint64 textSize() const override { return m_size; }

private:
    quint64 m_size;
};

} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Places go to a settings folder of the test's own.
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    }

    // All in twips, for a label 500 wide beside a scroll bar 375 wide.
    void resultsLayout_data()
    {
        QTest::addColumn<qint64>("labelHeight");
        QTest::addColumn<int>("windowHeight");
        QTest::addColumn<qint64>("barMaximum"); // 20: the label does not scroll
        QTest::newRow("few lines") << qint64(3000) << 3400 << qint64(20);
        QTest::newRow("highest before the cap") << qint64(6600) << 7000 << qint64(20);
        QTest::newRow("as tall as the window") << qint64(7000) << 7000 << qint64(20);
        QTest::newRow("10.5 rounds down to even") << qint64(7050) << 7000 << qint64(10);
        QTest::newRow("10.51 rounds up") << qint64(7051) << 7000 << qint64(11);
        QTest::newRow("11.5 rounds up to even") << qint64(7150) << 7000 << qint64(12);
        QTest::newRow("long report") << qint64(12000) << 7000 << qint64(60);
        // 1.6e9 lines of 17 pixels.
        QTest::newRow("beyond an int")
            << qint64(408'000'000'000'000) << 7000 << qint64(4'079'999'999'940);
    }
    void resultsLayout()
    {
        QFETCH(qint64, labelHeight);
        QFETCH(int, windowHeight);
        QFETCH(qint64, barMaximum);
        const ResultsLayout layout = vornak::resultsLayout(500, labelHeight, 375);
        QCOMPARE(layout.windowWidth, 1155);
        QCOMPARE(layout.windowHeight, windowHeight);
        QCOMPARE(layout.barLeft, 700);
        QCOMPARE(scrollRange(labelHeight, windowHeight).barHeight, windowHeight - 400);
        QCOMPARE(scrollRange(labelHeight, windowHeight).barMaximum, barMaximum);
        QCOMPARE(labelScrolls(labelHeight, windowHeight), barMaximum != 20);
    }

    // Up to what the bar holds, every step is a position of its own; beyond it, the bar's ends
    // are the report's ends and every place of the bar maps back to itself.
    void barPositions_data()
    {
        QTest::addColumn<qint64>("maximum");
        QTest::newRow("20") << qint64(20);
        QTest::newRow("as many as the bar holds") << qint64(kBarPositions);
        QTest::newRow("one more") << qint64(kBarPositions) + 1;
        QTest::newRow("1.6e9 lines") << qint64(4'079'999'999'940);
    }
    void barPositions()
    {
        QFETCH(qint64, maximum);
        const int bar = barMaximum(maximum);
        QCOMPARE(bar, int(std::min<qint64>(maximum, kBarPositions)));
        QCOMPARE(positionAt(bar, maximum), maximum);
        QCOMPARE(barValue(maximum, maximum), bar);
        for (const int value : {0, 1, bar / 3, bar - 1}) {
            QCOMPARE(barValue(positionAt(value, maximum), maximum), value);
            if (maximum <= kBarPositions)
                QCOMPARE(positionAt(value, maximum), value);
        }
    }

    // A window 300 x 400 on a screen of 1280 x 800 below a panel 30 high.
    void placeNear_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("lists");
        QTest::addColumn<QPoint>("expected");
        const QRect lists(110, 230, 300, 150);
        QTest::newRow("to the right") << QRect(100, 200, 325, 300) << lists << QPoint(425, 200);
        QTest::newRow("to the left, no room right")
            << QRect(900, 200, 325, 300) << lists << QPoint(600, 200);
        QTest::newRow("beside, moved up to fit")
            << QRect(100, 600, 325, 150) << lists << QPoint(425, 400);
        QTest::newRow("beside, kept below the panel")
            << QRect(100, 0, 325, 150) << lists << QPoint(425, 30);
        QTest::newRow("below, no room either side")
            << QRect(200, 30, 900, 300) << QRect(210, 60, 880, 200) << QPoint(200, 330);
        QTest::newRow("over the options below the lists")
            << QRect(200, 100, 900, 600) << QRect(210, 130, 880, 250) << QPoint(200, 380);
        QTest::newRow("over the lists only as far as the screen needs")
            << QRect(200, 100, 900, 600) << QRect(210, 130, 880, 300) << QPoint(200, 400);
        QTest::newRow("partly beside, covering less of the lists")
            << QRect(100, 200, 1000, 600) << QRect(110, 230, 980, 400) << QPoint(980, 200);
        QTest::newRow("over the options, kept on the screen")
            << QRect(-50, 100, 1400, 600) << QRect(-40, 130, 1380, 250) << QPoint(0, 380);
    }
    void placeNear()
    {
        QFETCH(QRect, main);
        QFETCH(QRect, lists);
        QFETCH(QPoint, expected);
        QCOMPARE(vornak::placeNear(QRect(0, 30, 1280, 770), main, {300, 400}, lists), expected);
    }

    // A place left on a screen since unplugged or made smaller is not used.
    void liesWithin_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<bool>("within");
        QTest::newRow("on the second screen") << QRect(1300, 100, 300, 400) << true;
        QTest::newRow("across both") << QRect(1200, 100, 300, 400) << false;
        QTest::newRow("below the smaller screen") << QRect(1300, 500, 300, 400) << false;
        QTest::newRow("under the panel") << QRect(100, 10, 300, 400) << false;
    }
    void liesWithin()
    {
        QFETCH(QRect, frame);
        QFETCH(bool, within);
        QCOMPARE(vornak::liesWithin(frame, {QRect(0, 30, 1280, 770), QRect(1280, 0, 1024, 768)}),
                 within);
    }

    void copyUpToTheLimit_data()
    {
        QTest::addColumn<quint64>("size");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("64 MiB") << ResultsWindow::kClipboardLimit << "\ra b\r\rc" << QStringList{};
        QTest::newRow("one byte more")
            << ResultsWindow::kClipboardLimit + 1 << ""
            << QStringList{"报告共 4 行、67,108,865 字节，超过剪贴板可容纳的 64 MB，没有复制。"};
    }
    // A click on the text copies the report up to the limit, lone carriage returns and all, and
    // says why it copies nothing beyond it; a click below the last line does nothing.
    void copyUpToTheLimit()
    {
        QFETCH(quint64, size);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, messages);
        test::TestPlatform platform;
        ResultsWindow form2(platform, QStringLiteral("检查结果"), nullptr, QStringLiteral("t"));
        form2.showReport(std::make_unique<SizedLines>("\ra b\r\rc", size));
        auto* label1 = form2.findChild<ReportView*>(QStringLiteral("Label1"));
        QVERIFY(label1);
        QTest::mouseClick(label1, Qt::LeftButton, {}, QPoint(2, 4 * label1->lineHeight() + 2));
        QVERIFY(platform.clipboard.isEmpty() && platform.messages.isEmpty());
        QTest::mouseClick(label1, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(platform.clipboard, clipboard);
        QStringList shown;
        for (const test::ShownMessage& message : platform.messages) {
            QCOMPARE(message.title, QStringLiteral("检查结果"));
            shown.append(message.prompt);
        }
        QCOMPARE(shown, messages);
    }

    // The lines in view, the one the bottom edge cuts too, are what Ctrl+C copies.
    void visibleTextHoldsTheLineCutByTheEdge()
    {
        ReportView view(nullptr);
        const TextLines report(QStringList{"0", "1", "2", "3", "4", "5"});
        view.setReport(&report);
        view.resize(100, view.lineHeight() * 7 / 2);
        QCOMPARE(view.visibleText(), QStringLiteral("0\r1\r2\r3"));
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(ResultsWindowTest)
#include "ResultsWindowTest.moc"
