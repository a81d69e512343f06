#include "support/TestPlatform.h"

#include "app/MainWindow.h"
#include "app/SplitterLayout.h"
#include "platform/Twips.h"

#include <QTest>

#include <memory>

using namespace vornak;

namespace {

// Bar left, Dir1 width, File1 left and width.
QList<int> parts(const SplitterLayout& layout)
{
    return {layout.barLeft, layout.folderListWidth, layout.fileListLeft, layout.fileListWidth};
}

// A pointer movement with no button down, as the bar sees it while the pointer hovers.
void hoverOver(QWidget& widget, int x)
{
    const QPointF position(x, 10);
    QMouseEvent event(QEvent::MouseMove, position, widget.mapToGlobal(position), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

// The bar lab between Dir1 and File1: its arithmetic in twips of Frame1 (the bar 30 twips
// wide, at 2430 when a drag starts), then drags with the mouse in the real main window, where
// a pixel is 15 twips.
class SplitterTest : public QObject {
    Q_OBJECT

    test::TestPlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
    QWidget* m_lab = nullptr;
    QWidget* m_dir1 = nullptr;
    QWidget* m_file1 = nullptr;

    Qt::CursorShape pointer() const
    {
        return m_lab->testAttribute(Qt::WA_SetCursor) ? m_lab->cursor().shape() : Qt::ArrowCursor;
    }
    QList<int> layout() const
    {
        return {m_lab->x(), m_dir1->x(), m_dir1->width(), m_file1->x(), m_file1->width()};
    }

private Q_SLOTS:
    void arithmetic_data()
    {
        // The pointer and the grab offset of one move from 2430, none: the layout is given;
        // the layout after the release, none: unchanged.
        QTest::addColumn<QList<int>>("move");
        QTest::addColumn<QList<int>>("layout");
        QTest::addColumn<QList<int>>("released");
        const auto row = [](const char* tag, QList<int> move, QList<int> layout,
                            QList<int> released = {}) {
            QTest::newRow(tag) << move << layout << (released.isEmpty() ? layout : released);
        };
        const QList<int> minimum{4350, 4350, 4380, 400};
        row("not moved", {20, 20}, {2430, 2430, 2460, 2320});
        row("grabbed at 20, 300 to the right", {320, 20}, {2730, 2730, 2760, 2020});
        row("to the left", {-1000, 0}, {1430, 1430, 1460, 3320});
        row("File1 to 4500", {2040, 0}, {4470, 4470, 4500, 280}, minimum);
        row("File1 to 4381", {1921, 0}, {4351, 4351, 4381, 399}, minimum);
        row("File1 exactly at 4380", {1920, 0}, minimum);
        row("File1 past its right edge", {2540, 0}, {4970, 4970, 5000, 220}, minimum);
        // The pointer at frame position -100 mirrors the bar to the right of the frame's edge.
        row("left of the frame", {-2530, 20}, {120, 120, 150, 4630});
        row("to the frame's edge", {-2430, 0}, {0, 0, 30, 4750});
        // Only a left edge beyond 4380 is corrected: at 4380 even another width stays.
        row("File1 at 4380, other width", {}, {4350, 4350, 4380, 410});
        row("bar aligned with Dir1", {}, {2500, 2430, 2460, 2320}, {2430, 2430, 2460, 2320});
    }

    void arithmetic()
    {
        QFETCH(QList<int>, move);
        QFETCH(QList<int>, layout);
        QFETCH(QList<int>, released);
        if (!move.isEmpty())
            QCOMPARE(parts(splitterAfterMove(2430, 30, move[0], move[1])), layout);
        QCOMPARE(parts(splitterAfterRelease({layout[0], layout[1], layout[2], layout[3]}, 30)),
                 released);
    }

    void init()
    {
        m_window = std::make_unique<MainWindow>(m_platform);
        m_window->load();
        m_window->show();
        m_lab = m_window->findChild<QWidget*>(QStringLiteral("lab"));
        m_dir1 = m_window->findChild<QWidget*>(QStringLiteral("Dir1"));
        m_file1 = m_window->findChild<QWidget*>(QStringLiteral("File1"));
        QVERIFY(m_lab && m_dir1 && m_file1);
    }

    void cleanup() { m_window.reset(); }

    void drag_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("grabX");
        // Pointer positions in Frame1, one move each; none: press and release only.
        QTest::addColumn<QList<int>>("moves");
        // In pixels: the bar's left, Dir1's left and width, File1's left and width.
        QTest::addColumn<QList<int>>("whileDragging");
        QTest::addColumn<QList<int>>("released");
        const auto row = [](const char* tag, Qt::MouseButton button, int grabX, QList<int> moves,
                            QList<int> whileDragging, QList<int> released) {
            QTest::newRow(tag) << button << grabX << moves << whileDragging << released;
        };
        const QList<int> start{162, 0, 162, 164, 154}, right{182, 0, 182, 184, 134};
        row("press and release", Qt::LeftButton, 1, {}, start, start);
        row("20 to the right, right button", Qt::RightButton, 1, {170, 183}, right, right);
        row("middle button, to the left", Qt::MiddleButton, 0, {100}, {100, 0, 100, 102, 216},
            {100, 0, 100, 102, 216});
        row("File1 to 4500 twips, released at the minimum", Qt::LeftButton, 0, {250, 298},
            {298, 0, 298, 300, 18}, {290, 0, 290, 292, 26});
    }

    // The pointer is the west-east arrow from the press and the four-way arrow from the
    // release; File1's right edge stays put while its left edge follows the bar. Before the
    // first press and after the release, a pointer passing over the bar moves nothing.
    void drag()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, grabX);
        QFETCH(QList<int>, moves);
        QFETCH(QList<int>, whileDragging);
        QFETCH(QList<int>, released);
        const int fileListRight = m_file1->geometry().right();
        const QList<int> before = layout();
        hoverOver(*m_lab, -12);
        QCOMPARE(pointer(), Qt::ArrowCursor);
        QCOMPARE(layout(), before);

        QTest::mousePress(m_lab, button, {}, QPoint(grabX, 10));
        QCOMPARE(pointer(), Qt::SizeHorCursor);
        for (int frameX : moves) {
            QTest::mouseMove(m_lab, QPoint(frameX - m_lab->x(), 10));
            QCOMPARE(m_file1->geometry().right(), fileListRight);
        }
        QCOMPARE(layout(), whileDragging);

        QTest::mouseRelease(m_lab, button, {}, QPoint(moves.isEmpty() ? grabX : 0, 10));
        QCOMPARE(pointer(), Qt::SizeAllCursor);
        QCOMPARE(layout(), released);
        QCOMPARE(m_lab->y(), twipsToPixels(420));
        QCOMPARE(m_lab->width(), twipsToPixels(30));
        hoverOver(*m_lab, -12);
        QCOMPARE(pointer(), Qt::SizeAllCursor);
        QCOMPARE(layout(), released);
    }

    // The button state is never consulted: without its release on the bar the drag goes on.
    void releaseElsewhereKeepsDragging()
    {
        QTest::mousePress(m_lab, Qt::LeftButton, {}, QPoint(0, 10));
        QTest::mouseRelease(m_file1, Qt::LeftButton, {}, QPoint(0, 10));
        hoverOver(*m_lab, -12);
        QCOMPARE(pointer(), Qt::SizeHorCursor);
        QCOMPARE(layout(), (QList<int>{150, 0, 150, 152, 166}));
    }
};

QTEST_MAIN(SplitterTest)
#include "SplitterTest.moc"
