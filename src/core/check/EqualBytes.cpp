#include "core/check/EqualBytes.h"

#include "core/check/RunsOfEqualKeys.h"

#include <xxhash.h>

#include <algorithm>

namespace vornak {

ByteClasses classesOfEqualBytes(std::span<const std::string_view> chunks)
{
    ByteClasses result;
    result.classOf.assign(chunks.size(), 0);
    if (chunks.empty())
        return result;
    result.count = 1;
    // Most groups that reach this far are copies of one another: one comparison each settles
    // them without hashing anything.
    std::vector<std::uint32_t> others;
    for (std::uint32_t i = 1; i < chunks.size(); ++i) {
        if (chunks[i] != chunks[0])
            others.push_back(i);
    }
    if (others.size() == 1)
        result.classOf[others.front()] = result.count++;
    if (others.size() < 2)
        return result;

    struct Hashed {
        XXH64_hash_t hash;
        std::uint32_t index;
    };
    std::vector<Hashed> hashed;
    hashed.reserve(others.size());
    for (std::uint32_t i : others)
        hashed.push_back({XXH3_64bits(chunks[i].data(), chunks[i].size()), i});
    // Within a run of equal hashes, each chunk joins the first earlier class it equals.
    std::vector<std::uint32_t> firsts;
    forEachSortedRun(std::span(hashed), &Hashed::hash, [&](std::span<const Hashed> run) {
        firsts.clear();
        for (const Hashed& chunk : run) {
            const std::uint32_t index = chunk.index;
            const auto same = std::find_if(firsts.begin(), firsts.end(), [&](std::uint32_t first) {
                return chunks[first] == chunks[index];
            });
            if (same == firsts.end()) {
                firsts.push_back(index);
                result.classOf[index] = result.count++;
            } else {
                result.classOf[index] = result.classOf[*same];
            }
        }
    });
    return result;
}

} // namespace vornak
