#include "ResultsLayout.h"

#include "widgets/Twips.h"

#include <algorithm>

namespace vornak {

namespace {

constexpr int kMaximumWindowHeight = 7000;
constexpr int kScrollStep = 100;
// What the window adds to the label's width besides the scroll bar.
constexpr int kLabelMargin = 280;

// value / divisor for a positive value, halves going to the even neighbour.
qint64 roundedHalfToEven(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    const qint64 twiceRemainder = 2 * (value % divisor);
    if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

} // namespace

ResultsLayout resultsLayout(int labelWidth, qint64 labelHeight, int barWidth)
{
    const int height = labelFitsWindow(labelHeight) ? int(labelHeight) + 400 : kMaximumWindowHeight;
    return {labelWidth + kLabelMargin + barWidth, height, labelWidth + 200};
}

int widestLabel(int windowWidth, int barWidth)
{
    return std::max(windowWidth - kLabelMargin - barWidth, 0);
}

ScrollRange scrollRange(qint64 labelHeight, int windowHeight)
{
    const qint64 maximum = labelScrolls(labelHeight, windowHeight)
                               ? roundedHalfToEven(labelHeight - windowHeight + 1000, kScrollStep)
                               : 20;
    return {windowHeight - 400, maximum};
}

bool labelScrolls(qint64 labelHeight, int windowHeight)
{
    return labelHeight > windowHeight;
}

bool labelFitsWindow(qint64 labelHeight)
{
    return labelHeight <= kMaximumWindowHeight - 400;
}

quint64 scrolledPixels(qint64 position)
{
    return quint64(position) * kScrollStep / kTwipsPerPixel;
}

int barMaximum(qint64 maximum)
{
    return int(std::min<qint64>(maximum, kBarPositions));
}

int barValue(qint64 position, qint64 maximum)
{
    if (maximum <= kBarPositions)
        return int(position);
    return int((quint64(position) * kBarPositions + quint64(maximum) / 2) / quint64(maximum));
}

qint64 positionAt(int value, qint64 maximum)
{
    if (maximum <= kBarPositions)
        return value;
    return qint64((quint64(value) * quint64(maximum) + kBarPositions / 2) / kBarPositions);
}

} // namespace vornak
