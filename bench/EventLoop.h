#pragma once

#include <functional>

namespace vornak::bench {

// Runs the window's event loop: until done() holds (looked at every millisecond), for ms
// milliseconds, or once through what is waiting (posted events, painting).
void runUntil(const std::function<bool()>& done);
void runFor(int ms);
void runOnce();

} // namespace vornak::bench
