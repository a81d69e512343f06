#include "ResultsLayout.h"

namespace vornak {

namespace {

constexpr int kMaximumWindowHeight = 7000;
constexpr int kScrollStep = 100;

// value / divisor for a positive value, halves going to the even neighbour.
int roundedHalfToEven(int value, int divisor)
{
    const int quotient = value / divisor;
    const int twiceRemainder = 2 * (value % divisor);
    if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

} // namespace

ResultsLayout resultsLayout(int labelWidth, int labelHeight, int barWidth)
{
    const int height =
        labelHeight > kMaximumWindowHeight - 400 ? kMaximumWindowHeight : labelHeight + 400;
    return {labelWidth + 280 + barWidth, height, labelWidth + 200};
}

ScrollRange scrollRange(int labelHeight, int windowHeight)
{
    const int maximum = labelScrolls(labelHeight, windowHeight)
                            ? roundedHalfToEven(labelHeight - windowHeight + 1000, kScrollStep)
                            : 20;
    return {windowHeight - 400, maximum};
}

bool labelScrolls(int labelHeight, int windowHeight)
{
    return labelHeight > windowHeight;
}

int scrolledLabelTop(int position)
{
    return -kScrollStep * position;
}

} // namespace vornak
