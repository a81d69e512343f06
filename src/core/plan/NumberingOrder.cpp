#include "core/plan/NumberingOrder.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace vornak {

Numbering numberingOrder(NumberingOrder order, std::size_t count, std::span<const FileDates> dates)
{
    Numbering numbering{std::vector<qsizetype>(count), std::vector<bool>(count, false)};
    if (order == NumberingOrder::List) {
        for (std::size_t i = 0; i < count; ++i)
            numbering.positions[i] = qsizetype(i) + 1;
        return numbering;
    }
    // Sorting (date, index) pairs is stable by construction and cheaper than stable_sort.
    constexpr qint64 kNoDate = std::numeric_limits<qint64>::max();
    std::vector<std::pair<qint64, std::size_t>> keyed(count);
    for (std::size_t i = 0; i < count; ++i) {
        const FileDates known = i < dates.size() ? dates[i] : FileDates{};
        std::optional<qint64> date = known.modified;
        if (order == NumberingOrder::Taken) {
            numbering.modifiedInstead[i] = !known.taken;
            if (known.taken)
                date = known.taken;
        }
        keyed[i] = {date.value_or(kNoDate), i};
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t rank = 0; rank < count; ++rank)
        numbering.positions[keyed[rank].second] = qsizetype(rank) + 1;
    return numbering;
}

void numberAgain(Numbering& numbering, std::span<const std::uint32_t> order,
                 std::span<const char> unticked)
{
    std::vector<std::uint32_t> inPlace;
    if (order.empty()) {
        inPlace.resize(numbering.positions.size());
        for (std::size_t entry = 0; entry < inPlace.size(); ++entry)
            inPlace[std::size_t(numbering.positions[entry] - 1)] = std::uint32_t(entry);
        order = inPlace;
    } else {
        std::fill(numbering.modifiedInstead.begin(), numbering.modifiedInstead.end(), false);
    }
    qsizetype next = 0;
    for (const std::uint32_t entry : order) {
        const bool left = !unticked.empty() && unticked[entry];
        numbering.positions[entry] = left ? 0 : ++next;
        if (left)
            numbering.modifiedInstead[entry] = false;
    }
}

} // namespace vornak
