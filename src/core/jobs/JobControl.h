#pragma once

#include <QtGlobal>

#include <atomic>
#include <stop_token>

namespace vornak {

// What a long job shares with whoever waits for it: a request to stop, and how far it got.
// The job reads the one and writes the other from its own thread; the waiting side (a progress
// dialog's timer, the command line's Ctrl+C handler) does the opposite. Every member is safe to
// use from any thread.
class JobControl {
public:
    // Asks the job to stop after the step in hand; it returns what it has done so far.
    void requestStop() { m_stop.request_stop(); }
    bool stopRequested() const { return m_stop.stop_requested(); }
    std::stop_token stopToken() const { return m_stop.get_token(); }

    // done of total units (files, bytes); total 0 while the job does not yet know it.
    void setProgress(qint64 done, qint64 total)
    {
        m_total.store(total, std::memory_order_relaxed);
        m_done.store(done, std::memory_order_relaxed);
    }
    qint64 done() const { return m_done.load(std::memory_order_relaxed); }
    qint64 total() const { return m_total.load(std::memory_order_relaxed); }

    // Which part of its work the job is in, as a number of its own (see the job's phases); the
    // waiting side shows it and measures per phase.
    void setPhase(int phase) { m_phase.store(phase, std::memory_order_relaxed); }
    int phase() const { return m_phase.load(std::memory_order_relaxed); }

private:
    std::stop_source m_stop;
    std::atomic<qint64> m_done{0};
    std::atomic<qint64> m_total{0};
    std::atomic<int> m_phase{0};
};

} // namespace vornak
