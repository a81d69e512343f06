#include "core/jobs/RowShares.h"

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

namespace vornak {

namespace {

constexpr std::size_t kRowsPerShare = 8192;

} // namespace

std::size_t rowShareCount(std::size_t rows)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp<std::size_t>(rows / kRowsPerShare, 1, cores);
}

void rowShares(std::size_t rows,
               const std::function<void(std::size_t, std::size_t, std::size_t)>& work)
{
    const std::size_t shares = rowShareCount(rows);
    std::vector<std::jthread> helpers;
    helpers.reserve(shares - 1);
    for (std::size_t share = 1; share < shares; ++share)
        helpers.emplace_back(std::cref(work), share, rows * share / shares,
                             rows * (share + 1) / shares);
    work(0, 0, rows / shares);
}

} // namespace vornak
