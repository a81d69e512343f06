#pragma once

namespace vornak {

// Ctrl+C (SIGINT) asks the work in hand to stop after the file in hand, as 取消 does in the
// window, instead of killing the program half-way through a step.
void stopOnInterrupt();
bool interrupted();

} // namespace vornak
