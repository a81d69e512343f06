#include "EqualLengths.h"

#include <QHash>

namespace vornak {

std::vector<qsizetype> nextOfEqualLength(const Lengths& lengths)
{
    const auto count = static_cast<qsizetype>(lengths.size());
    std::vector<qsizetype> next(lengths.size(), -1);
    // Walking backwards, the map holds the lowest index seen so far for each length.
    QHash<qint64, qsizetype> lowestLater;
    lowestLater.reserve(count);
    for (qsizetype i = count - 1; i >= 0; --i) {
        const auto& length = lengths[static_cast<std::size_t>(i)];
        if (!length)
            continue;
        auto found = lowestLater.find(*length);
        if (found == lowestLater.end()) {
            lowestLater.insert(*length, i);
        } else {
            next[static_cast<std::size_t>(i)] = *found;
            *found = i;
        }
    }
    return next;
}

} // namespace vornak
