#pragma once

namespace vornak {

// Where the results window and its scroll bar go for a label of the given size; all in twips.
struct ResultsLayout {
    int windowWidth;
    int windowHeight;
    int barLeft;
};

// The scroll bar for a label in a window whose outer height has been read back.
struct ScrollRange {
    int barHeight;
    int barMaximum;
};

// The window grows with the label up to a fixed height; taller reports scroll.
ResultsLayout resultsLayout(int labelWidth, int labelHeight, int barWidth);

// A label taller than the window scrolls in steps of 100 twips far enough to bring its end
// well into view. Otherwise the bar still moves, over 20 positions, without effect.
ScrollRange scrollRange(int labelHeight, int windowHeight);

// Whether moving the scroll bar moves the label.
bool labelScrolls(int labelHeight, int windowHeight);

// The label's top for a scroll bar position.
int scrolledLabelTop(int position);

} // namespace vornak
