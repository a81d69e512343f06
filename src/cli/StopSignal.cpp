#include "cli/StopSignal.h"

#include <atomic>
#include <chrono>
#include <csignal>

namespace vornak {

namespace {

// A lock-free flag is all a signal handler may touch.
std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void noteInterrupt(int)
{
    g_interrupted.store(true);
}

} // namespace

void stopOnInterrupt()
{
    struct sigaction action = {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

bool interrupted()
{
    return g_interrupted.load();
}

StopOnInterrupt::StopOnInterrupt(JobControl& control)
    : m_watch([&control](std::stop_token done) {
          while (!done.stop_requested()) {
              if (interrupted()) {
                  control.requestStop();
                  return;
              }
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
          }
      })
{}

} // namespace vornak
