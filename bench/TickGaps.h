#pragma once

#include "core/run/RenameJob.h"

#include <QElapsedTimer>
#include <QTimer>

#include <array>
#include <vector>

namespace vornak::bench {

// What a user sees of the window while a run goes: a 10 ms timer on the window's thread, and
// per phase of the run the longest stretch in which it did not tick (the window did not paint
// or answer). A phase is marked when it starts; a stretch is cut at the phases' borders.
class TickGaps {
public:
    using Phase = RunPhase;
    static constexpr std::size_t kPhases = 3;

    // Called on every tick, after the tick is noted (to watch the run and mark its phases).
    template <typename Watch> explicit TickGaps(Watch watch)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this, watch] {
            m_ticks.push_back(m_clock.nsecsElapsed());
            watch();
        });
        m_clock.start();
        m_timer.start();
    }

    qint64 now() const { return m_clock.nsecsElapsed(); }
    // The phase starts now, unless it has started already.
    void mark(Phase phase);
    void end() { m_end = now(); }
    // Longest stretch without a tick in the phase, in milliseconds; 0 for a phase not seen.
    double longestGapMs(Phase phase) const;
    double endMs() const { return double(m_end) / 1e6; }

private:
    QElapsedTimer m_clock;
    QTimer m_timer;
    std::vector<qint64> m_ticks;
    std::array<qint64, kPhases> m_starts{-1, -1, -1};
    qint64 m_end = -1;
};

} // namespace vornak::bench
