#include "app/SplitterLayout.h"

#include <QTest>

using namespace vornak;

// The arithmetic of the bar between the folder and the file list, in twips of the frame: the
// bar is 30 twips wide and at 2430 when a drag starts. MainWindowTest drags the real bar.
class SplitterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void arithmetic_data()
    {
        // The pointer and the grab offset of one move from 2430, none: the layout is given; bar
        // left, folder list width, file list left and width after the move and the release.
        QTest::addColumn<QList<int>>("move");
        QTest::addColumn<QList<int>>("layout");
        QTest::addColumn<QList<int>>("released");
        const auto row = [](const char* tag, QList<int> move, QList<int> layout,
                            QList<int> released = {}) {
            QTest::newRow(tag) << move << layout << (released.isEmpty() ? layout : released);
        };
        const QList<int> minimum{4350, 4350, 4380, 400};
        row("grabbed at 20, 300 to the right", {320, 20}, {2730, 2730, 2760, 2020});
        row("to the left", {-1000, 0}, {1430, 1430, 1460, 3320});
        row("file list past its right edge", {2540, 0}, {4970, 4970, 5000, 220}, minimum);
        // The pointer at frame position -100 mirrors the bar to the right of the frame's edge.
        row("left of the frame", {-2530, 20}, {120, 120, 150, 4630});
        // Only a left edge beyond 4380 is corrected: at 4380 even another width stays.
        row("file list exactly at 4380", {1920, 0}, minimum);
        row("file list at 4380, other width", {}, {4350, 4350, 4380, 410});
        row("bar aligned with the folder list", {}, {2500, 2430, 2460, 2320},
            {2430, 2430, 2460, 2320});
    }

    void arithmetic()
    {
        QFETCH(QList<int>, move);
        QFETCH(QList<int>, layout);
        QFETCH(QList<int>, released);
        const auto parts = [](const SplitterLayout& l) {
            return QList<int>{l.barLeft, l.folderListWidth, l.fileListLeft, l.fileListWidth};
        };
        if (!move.isEmpty())
            QCOMPARE(parts(splitterAfterMove(2430, 30, move[0], move[1])), layout);
        QCOMPARE(parts(splitterAfterRelease({layout[0], layout[1], layout[2], layout[3]}, 30)),
                 released);
    }
};

QTEST_APPLESS_MAIN(SplitterTest)
#include "SplitterTest.moc"
