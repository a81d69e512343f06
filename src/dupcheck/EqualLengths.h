#pragma once

#include <QtGlobal>

#include <optional>
#include <vector>

namespace vornak {

// Lengths of the listed entries by index; nothing where a length could not be read.
using Lengths = std::vector<std::optional<qint64>>;

// For each index i, the lowest index j > i whose length equals that of i, or -1. Following
// the chain from i visits every later entry of the same length in ascending order, so all
// equal pairs come out in the order of a loop over every pair, in time linear in the entries
// plus the pairs. An entry without a length is in no chain.
std::vector<qsizetype> nextOfEqualLength(const Lengths& lengths);

} // namespace vornak
