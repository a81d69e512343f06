#pragma once

#include <QtGlobal>

namespace vornak {

// Where the results window and its scroll bar go for a label of the given size; all in twips.
// The label's height is 64-bit: a report may have billions of lines.
struct ResultsLayout {
    int windowWidth;
    int windowHeight;
    int barLeft;
};

// The scroll bar for a label in a window whose outer height has been read back. The maximum
// counts steps of 100 twips and may exceed what a scroll bar holds (see barValue()).
struct ScrollRange {
    int barHeight;
    qint64 barMaximum;
};

// The window grows with the label up to a fixed height; taller reports scroll.
ResultsLayout resultsLayout(int labelWidth, qint64 labelHeight, int barWidth);

// The widest label whose window is no wider than windowWidth.
int widestLabel(int windowWidth, int barWidth);

// A label taller than the window scrolls in steps of 100 twips far enough to bring its end
// well into view. Otherwise the bar still moves, over 20 positions, without effect.
ScrollRange scrollRange(qint64 labelHeight, int windowHeight);

// Whether moving the scroll bar moves the label.
bool labelScrolls(qint64 labelHeight, int windowHeight);

// Whether the window shows a label of this height whole, below its largest height.
bool labelFitsWindow(qint64 labelHeight);

// How far the label is moved up at a scroll position, in pixels.
quint64 scrolledPixels(qint64 position);

// A scroll bar holds an int: up to kBarPositions positions it shows each step as one of its
// own, beyond that it shows a proportional place, and barValue() and positionAt() translate.
inline constexpr int kBarPositions = 1 << 20;
int barMaximum(qint64 maximum);
int barValue(qint64 position, qint64 maximum);
qint64 positionAt(int value, qint64 maximum);

} // namespace vornak
