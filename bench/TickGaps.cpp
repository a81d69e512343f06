#include "TickGaps.h"

#include <algorithm>

namespace vornak::bench {

void TickGaps::mark(Phase phase)
{
    qint64& start = m_starts[std::size_t(phase)];
    if (start < 0)
        start = now();
}

double TickGaps::longestGapMs(Phase phase) const
{
    const auto index = std::size_t(phase);
    const qint64 from = m_starts[index];
    if (from < 0)
        return 0;
    // The phase ends where a later one starts, or with the run.
    qint64 to = m_end < 0 ? now() : m_end;
    for (std::size_t later = index + 1; later < kPhases; ++later)
        if (m_starts[later] >= 0) {
            to = m_starts[later];
            break;
        }
    qint64 last = from;
    qint64 longest = 0;
    for (const qint64 tick : m_ticks) {
        if (tick <= from)
            continue;
        const qint64 upTo = std::min(tick, to);
        longest = std::max(longest, upTo - last);
        last = upTo;
        if (tick >= to)
            break;
    }
    longest = std::max(longest, to - last);
    return double(longest) / 1e6;
}

} // namespace vornak::bench
