#pragma once

#include "core/jobs/JobControl.h"

#include <thread>

namespace vornak {

// Ctrl+C (SIGINT) asks the work in hand to stop after the file in hand, as 取消 does in the
// window, instead of killing the program half-way through a step.
void stopOnInterrupt();
bool interrupted();

// While it lives, Ctrl+C asks the job of control to stop: a thread of its own watches the flag,
// since the signal handler may touch nothing else.
class StopOnInterrupt {
public:
    explicit StopOnInterrupt(JobControl& control);

private:
    std::jthread m_watch;
};

} // namespace vornak
