#include "app/SplitterLayout.h"

#include <QTest>

using namespace vornak;

Q_DECLARE_METATYPE(vornak::SplitterLayout)

namespace QTest {
template <> char* toString(const vornak::SplitterLayout& layout)
{
    return qstrdup(QByteArray::number(layout.barLeft) + " bar, " +
                   QByteArray::number(layout.folderListWidth) + " Dir1 wide, File1 at " +
                   QByteArray::number(layout.fileListLeft) + ", " +
                   QByteArray::number(layout.fileListWidth) + " wide");
}
} // namespace QTest

// The bar's arithmetic in twips of Frame1; the bar is 30 twips wide throughout.
class SplitterLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void move_data();
    void move();
    void release_data();
    void release();
};

void SplitterLayoutTest::move_data()
{
    QTest::addColumn<int>("barLeft");
    QTest::addColumn<int>("pointerX");
    QTest::addColumn<int>("dragStartX");
    QTest::addColumn<SplitterLayout>("expected");

    QTest::newRow("grabbed at 20, 300 to the right")
        << 2430 << 320 << 20 << SplitterLayout{2730, 2730, 2760, 2020};
    QTest::newRow("not moved") << 2430 << 20 << 20 << SplitterLayout{2430, 2430, 2460, 2320};
    QTest::newRow("to the left") << 2430 << -1000 << 0 << SplitterLayout{1430, 1430, 1460, 3320};
    QTest::newRow("File1 to 4500") << 2430 << 2040 << 0 << SplitterLayout{4470, 4470, 4500, 280};
    // The pointer at frame position -100 mirrors the bar to the right of the frame's edge.
    QTest::newRow("left of the frame")
        << 2430 << -2530 << 20 << SplitterLayout{120, 120, 150, 4630};
    QTest::newRow("to the frame's edge") << 2430 << -2430 << 0 << SplitterLayout{0, 0, 30, 4750};
    QTest::newRow("File1 past its right edge")
        << 2430 << 2540 << 0 << SplitterLayout{4970, 4970, 5000, 220};
}

void SplitterLayoutTest::move()
{
    QFETCH(int, barLeft);
    QFETCH(int, pointerX);
    QFETCH(int, dragStartX);
    QFETCH(SplitterLayout, expected);

    QCOMPARE(splitterAfterMove(barLeft, 30, pointerX, dragStartX), expected);
}

void SplitterLayoutTest::release_data()
{
    QTest::addColumn<SplitterLayout>("layout");
    QTest::addColumn<SplitterLayout>("expected");

    QTest::newRow("File1 at 4500")
        << SplitterLayout{4470, 4470, 4500, 280} << SplitterLayout{4350, 4350, 4380, 400};
    QTest::newRow("File1 at 4381")
        << SplitterLayout{4351, 4351, 4381, 399} << SplitterLayout{4350, 4350, 4380, 400};
    QTest::newRow("File1 exactly at 4380")
        << SplitterLayout{4350, 4350, 4380, 400} << SplitterLayout{4350, 4350, 4380, 400};
    // Only a left edge beyond 4380 is corrected: at 4380 even another width stays.
    QTest::newRow("File1 at 4380, other width")
        << SplitterLayout{4350, 4350, 4380, 410} << SplitterLayout{4350, 4350, 4380, 410};
    QTest::newRow("File1 past its right edge")
        << SplitterLayout{4970, 4970, 5000, 220} << SplitterLayout{4350, 4350, 4380, 400};
    QTest::newRow("near the frame's edge")
        << SplitterLayout{120, 120, 150, 4630} << SplitterLayout{120, 120, 150, 4630};
    QTest::newRow("bar aligned with Dir1")
        << SplitterLayout{2500, 2430, 2460, 2320} << SplitterLayout{2430, 2430, 2460, 2320};
}

void SplitterLayoutTest::release()
{
    QFETCH(SplitterLayout, layout);
    QFETCH(SplitterLayout, expected);

    QCOMPARE(splitterAfterRelease(layout, 30), expected);
}

QTEST_APPLESS_MAIN(SplitterLayoutTest)
#include "SplitterLayoutTest.moc"
