#include "support/TestPlatform.h"

#include "app/MainWindow.h"
#include "app/SplitterLayout.h"
#include "platform/Twips.h"

#include <QTest>

#include <memory>

using namespace vornak;

Q_DECLARE_METATYPE(Qt::CursorShape)

namespace {

// A pointer movement with no button down, as the bar sees it while the pointer hovers.
void hoverOver(QWidget& widget, int x)
{
    const QPointF position(x, 10);
    QMouseEvent event(QEvent::MouseMove, position, widget.mapToGlobal(position), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

// lab dragged with the mouse in the real main window. Positions are in pixels, 15 twips each;
// the bar stands at 162 (2430 twips) and is 2 pixels wide.
class SplitterTest : public QObject {
    Q_OBJECT

private:
    Qt::CursorShape pointer() const;
    // Lefts and widths in pixels: the bar, Dir1, File1.
    QList<int> layout() const;

    test::TestPlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
    QWidget* m_lab = nullptr;
    QWidget* m_dir1 = nullptr;
    QWidget* m_file1 = nullptr;

private Q_SLOTS:
    void init();
    void cleanup();
    void drag_data();
    void drag();
    void hover_data();
    void hover();
};

void SplitterTest::init()
{
    m_window = std::make_unique<MainWindow>(m_platform);
    m_window->load();
    m_window->show();
    m_lab = m_window->findChild<QWidget*>(QStringLiteral("lab"));
    m_dir1 = m_window->findChild<QWidget*>(QStringLiteral("Dir1"));
    m_file1 = m_window->findChild<QWidget*>(QStringLiteral("File1"));
    QVERIFY(m_lab && m_dir1 && m_file1);
}

void SplitterTest::cleanup()
{
    m_window.reset();
}

Qt::CursorShape SplitterTest::pointer() const
{
    return m_lab->testAttribute(Qt::WA_SetCursor) ? m_lab->cursor().shape() : Qt::ArrowCursor;
}

QList<int> SplitterTest::layout() const
{
    return {m_lab->x(), m_dir1->x(), m_dir1->width(), m_file1->x(), m_file1->width()};
}

namespace {

// The layout in twips as the pixels the widgets get: bar, Dir1 left and width, File1.
QList<int> pixels(int barLeft, int folderListWidth, int fileListLeft, int fileListWidth)
{
    return {twipsToPixels(barLeft), 0, twipsToPixels(folderListWidth), twipsToPixels(fileListLeft),
            twipsToPixels(fileListWidth)};
}

} // namespace

void SplitterTest::drag_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("grabX");
    // Pointer positions in Frame1, one move each; none: press and release only.
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<QList<int>>("whileDragging");
    QTest::addColumn<QList<int>>("released");

    const QList<int> initial = pixels(2430, 2430, 2460, 2320);
    QTest::newRow("press and release") << Qt::LeftButton << 1 << QList<int>{} << initial << initial;
    QTest::newRow("20 to the right")
        << Qt::LeftButton << 1 << QList<int>{170, 183} << pixels(2730, 2730, 2760, 2020)
        << pixels(2730, 2730, 2760, 2020);
    QTest::newRow("right button") << Qt::RightButton << 1 << QList<int>{183}
                                  << pixels(2730, 2730, 2760, 2020)
                                  << pixels(2730, 2730, 2760, 2020);
    QTest::newRow("middle button")
        << Qt::MiddleButton << 0 << QList<int>{100} << pixels(1500, 1500, 1530, 3250)
        << pixels(1500, 1500, 1530, 3250);
    QTest::newRow("File1 to 4500, released at the minimum")
        << Qt::LeftButton << 0 << QList<int>{250, 298} << pixels(4470, 4470, 4500, 280)
        << pixels(4350, 4350, 4380, 400);
    QTest::newRow("File1 exactly at 4380")
        << Qt::LeftButton << 0 << QList<int>{290} << pixels(4350, 4350, 4380, 400)
        << pixels(4350, 4350, 4380, 400);
    QTest::newRow("File1 past its right edge")
        << Qt::LeftButton << 0 << QList<int>{332} << pixels(4980, 4980, 5010, 230)
        << pixels(4350, 4350, 4380, 400);
    // Grabbed 15 twips in, the pointer 105 twips left of the frame: the bar mirrors to 120.
    QTest::newRow("left of the frame")
        << Qt::LeftButton << 1 << QList<int>{50, -7} << pixels(120, 120, 150, 4630)
        << pixels(120, 120, 150, 4630);
}

// The pointer becomes the west-east arrow at the press and the four-way arrow at the release;
// File1's right edge stays put while its left edge follows the bar.
void SplitterTest::drag()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, grabX);
    QFETCH(QList<int>, moves);
    QFETCH(QList<int>, whileDragging);
    QFETCH(QList<int>, released);
    const int fileListRight = m_file1->geometry().right();
    QCOMPARE(pointer(), Qt::ArrowCursor);

    QTest::mousePress(m_lab, button, {}, QPoint(grabX, 10));
    QCOMPARE(pointer(), Qt::SizeHorCursor);
    for (int frameX : moves) {
        QTest::mouseMove(m_lab, QPoint(frameX - m_lab->x(), 10));
        if (pixelsToTwips(m_file1->x()) <= FileListRightEdge)
            QCOMPARE(m_file1->geometry().right(), fileListRight);
    }
    QCOMPARE(layout(), whileDragging);

    QTest::mouseRelease(m_lab, button, {}, QPoint(moves.isEmpty() ? grabX : 0, 10));
    QCOMPARE(pointer(), Qt::SizeAllCursor);
    QCOMPARE(layout(), released);
    QCOMPARE(m_lab->y(), twipsToPixels(420));
    QCOMPARE(m_lab->width(), twipsToPixels(30));
}

void SplitterTest::hover_data()
{
    QTest::addColumn<bool>("press");
    QTest::addColumn<bool>("releaseOnTheBar");
    QTest::addColumn<Qt::CursorShape>("shape");
    QTest::addColumn<bool>("moves");

    QTest::newRow("before the first press") << false << false << Qt::ArrowCursor << false;
    QTest::newRow("after a release") << true << true << Qt::SizeAllCursor << false;
    // The button state is never consulted: without its release the drag goes on.
    QTest::newRow("release went elsewhere") << true << false << Qt::SizeHorCursor << true;
}

void SplitterTest::hover()
{
    QFETCH(bool, press);
    QFETCH(bool, releaseOnTheBar);
    QFETCH(Qt::CursorShape, shape);
    QFETCH(bool, moves);
    const QList<int> before = layout();

    if (press) {
        QTest::mousePress(m_lab, Qt::LeftButton, {}, QPoint(0, 10));
        QTest::mouseRelease(releaseOnTheBar ? m_lab : m_file1, Qt::LeftButton, {}, QPoint(0, 10));
    }
    hoverOver(*m_lab, -12);

    QCOMPARE(pointer(), shape);
    QCOMPARE(layout(), moves ? pixels(2250, 2250, 2280, 2500) : before);
}

QTEST_MAIN(SplitterTest)
#include "SplitterTest.moc"
