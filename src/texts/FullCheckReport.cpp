#include "texts/FullCheckReport.h"

#include <QCoreApplication>

#include <algorithm>
#include <unordered_map>

namespace vornak {

FullCheckReport::FullCheckReport(NameList names, const Lengths& lengths)
    : PairReport(std::move(names),
                 QCoreApplication::translate("PairReport", "-------检查完成-------"))
{
    struct Group {
        std::uint32_t size = 0;
        std::uint32_t start = 0;
        std::uint32_t placed = 0;
    };
    std::unordered_map<qint64, Group> groups;
    groups.reserve(lengths.size());
    for (const auto& length : lengths) {
        if (length)
            ++groups[*length].size;
    }
    std::size_t memberCount = 0;
    for (const auto& [length, group] : groups)
        memberCount += group.size > 1 ? group.size : 0;
    m_members.resize(memberCount);

    // Groups take their place in m_members in the order of their first entries.
    std::uint32_t nextStart = 0;
    for (std::uint32_t i = 0; i < lengths.size(); ++i) {
        if (!lengths[i])
            continue;
        Group& group = groups.find(*lengths[i])->second;
        if (group.size < 2)
            continue;
        if (group.placed == 0) {
            group.start = nextStart;
            nextStart += group.size;
            m_groupEnds.push_back(nextStart);
        }
        const std::uint32_t position = group.start + group.placed++;
        m_members[position] = i;
        if (group.placed < group.size) {
            m_starters.push_back({m_pairCount, position + 1});
            m_pairCount += group.size - group.placed;
        }
    }
}

EntryPair FullCheckReport::pairAt(quint64 index) const
{
    const auto after = std::upper_bound(
        m_starters.begin(), m_starters.end(), index,
        [](quint64 pair, const Starter& starter) { return pair < starter.firstPair; });
    const Starter& starter = *(after - 1);
    return {m_members[starter.laterMembers - 1],
            m_members[starter.laterMembers + std::size_t(index - starter.firstPair)]};
}

// Each member of a group of s is named on s - 1 match lines.
quint64 FullCheckReport::nameBytes() const
{
    quint64 bytes = 0;
    std::uint32_t start = 0;
    for (const std::uint32_t end : m_groupEnds) {
        quint64 groupBytes = 0;
        for (std::uint32_t m = start; m < end; ++m)
            groupBytes += nameBytesAt(m_members[m]);
        bytes += groupBytes * (end - start - 1);
        start = end;
    }
    return bytes;
}

// The widest line pairs the two widest names of some group.
std::vector<EntryPair>
FullCheckReport::widestPairs(const std::function<int(std::uint32_t)>& nameWidth) const
{
    std::vector<EntryPair> pairs;
    pairs.reserve(m_groupEnds.size());
    std::uint32_t start = 0;
    for (const std::uint32_t end : m_groupEnds) {
        std::uint32_t widest = m_members[start];
        std::uint32_t second = m_members[start + 1];
        int widestWidth = nameWidth(widest);
        int secondWidth = nameWidth(second);
        if (secondWidth > widestWidth) {
            std::swap(widest, second);
            std::swap(widestWidth, secondWidth);
        }
        for (std::uint32_t m = start + 2; m < end; ++m) {
            const int width = nameWidth(m_members[m]);
            if (width > widestWidth) {
                second = widest;
                secondWidth = widestWidth;
                widest = m_members[m];
                widestWidth = width;
            } else if (width > secondWidth) {
                second = m_members[m];
                secondWidth = width;
            }
        }
        pairs.push_back({std::min(widest, second), std::max(widest, second)});
        start = end;
    }
    return pairs;
}

} // namespace vornak
