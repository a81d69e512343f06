#pragma once

#include <chrono>

namespace vornak::bench {

// Seconds one call of work takes, the best of a few runs so that a stray hiccup of the
// machine does not count.
template <typename Work> double bestSeconds(Work&& work, int runs = 3)
{
    double best = 1e100;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = took.count() < best ? took.count() : best;
    }
    return best;
}

} // namespace vornak::bench
