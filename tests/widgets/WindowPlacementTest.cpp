#include "widgets/WindowPlacement.h"

#include <QTest>

using namespace vornak;

class WindowPlacementTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
};

QTEST_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
