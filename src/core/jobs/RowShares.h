#pragma once

#include <cstddef>
#include <functional>

namespace vornak {

// How many shares rowShares cuts this many rows into: one per core, and one alone below 8,192
// rows a share, where another thread costs more than it saves.
std::size_t rowShareCount(std::size_t rows);

// Runs work(share, first, last) over rows [0, rows) cut in rowShareCount(rows) shares of
// about the same size, share 0 on the calling thread and the others each on a thread of its
// own; returns when every share is done. For work whose rows stand alone: each row is written
// by one share only.
void rowShares(
    std::size_t rows,
    const std::function<void(std::size_t share, std::size_t first, std::size_t last)>& work);

} // namespace vornak
