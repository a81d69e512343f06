#pragma once

#include "texts/PairReport.h"
#include "texts/TranslatedText.h"

namespace vornak {

// What the full check says when no two entries have the same length.
inline constexpr TranslatedText kNoEqualFiles{
    "FullCheckReport", QT_TRANSLATE_NOOP("FullCheckReport", "没有检测到大小一致的文件!")};

// The full check's report: every pair of entries of equal length, lower index first, in the
// order of a loop over all pairs. It keeps only the groups of equal length and, for each entry
// that starts pairs, how many pairs come before it, so building it takes time and memory
// linear in the entries however many pairs there are, and any line is found by one search.
class FullCheckReport : public PairReport {
public:
    FullCheckReport(NameList names, const Lengths& lengths);

    quint64 pairCount() const override { return m_pairCount; }

protected:
    EntryPair pairAt(quint64 index) const override;
    quint64 nameBytes() const override;
    std::vector<EntryPair>
    widestPairs(const std::function<int(std::uint32_t)>& nameWidth) const override;

private:
    // An entry with later members in its group: its pairs are numbered from firstPair on,
    // one for each member from m_members[laterMembers] to the end of its group.
    struct Starter {
        quint64 firstPair;
        std::uint32_t laterMembers;
    };

    // The members of every group of two or more, group by group, each group in list order.
    std::vector<std::uint32_t> m_members;
    // Where each group ends in m_members.
    std::vector<std::uint32_t> m_groupEnds;
    // In list order.
    std::vector<Starter> m_starters;
    quint64 m_pairCount = 0;
};

} // namespace vornak
