#include "WindowPlacement.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vornak {

namespace {

// start moved back so that length from it ends within [low, high], but never before low.
int within(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

qint64 area(const QRect& rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

} // namespace

QSize sizeWithin(QSize size, const QRect& screen)
{
    return size.boundedTo(screen.size());
}

QPoint placeNear(const QRect& screen, const QRect& main, QSize size, const QRect& lists)
{
    const int screenEnd = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    const int besideTop = within(main.top(), size.height(), screen.top(), screenBottom);
    const int right = main.left() + main.width();
    if (right + size.width() <= screenEnd)
        return {right, besideTop};
    if (main.left() - size.width() >= screen.left())
        return {main.left() - size.width(), besideTop};
    const int left = within(main.left(), size.width(), screen.left(), screenEnd);
    const int below = main.top() + main.height();
    if (below + size.height() <= screenBottom)
        return {left, below};
    // Over the options, or against either side of the screen where that covers less of the
    // lists, and then of the main window.
    const QPoint places[] = {
        {left, within(lists.top() + lists.height(), size.height(), screen.top(), screenBottom)},
        {screenEnd - size.width(), besideTop},
        {screen.left(), besideTop}};
    const auto covered = [&](QPoint place) {
        const QRect window(place, size);
        return std::pair(area(window & lists), area(window & main));
    };
    return *std::min_element(std::begin(places), std::end(places),
                             [&covered](QPoint a, QPoint b) { return covered(a) < covered(b); });
}

bool liesWithin(const QRect& frame, const QList<QRect>& screens)
{
    return std::any_of(screens.begin(), screens.end(),
                       [&frame](const QRect& screen) { return screen.contains(frame); });
}

} // namespace vornak
