#pragma once

#include "texts/PairReport.h"

namespace vornak {

// The single check's report: the selected entry against every other entry of its length, in
// list order. The selected entry is left out by index, so a second entry that shows the same
// name is still compared; nothing matches a selected length that could not be read.
class SingleCheckReport : public PairReport {
public:
    SingleCheckReport(NameList names, const Lengths& lengths, std::uint32_t selected,
                      std::optional<qint64> selectedLength);

    quint64 pairCount() const override { return m_matches.size(); }

protected:
    EntryPair pairAt(quint64 index) const override { return {m_selected, m_matches[index]}; }
    quint64 nameBytes() const override;
    std::vector<EntryPair>
    widestPairs(const std::function<int(std::uint32_t)>& nameWidth) const override;

private:
    std::uint32_t m_selected;
    std::vector<std::uint32_t> m_matches;
};

// What the single check says when no other entry has the selected entry's length.
QString noMatchText(const QString& selectedName);

} // namespace vornak
