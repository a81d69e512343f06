#pragma once

#include "core/names/NameList.h"
#include "texts/ReportLines.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vornak {

// Lengths of the listed entries by index; nothing where a length could not be read.
using Lengths = std::vector<std::optional<qint64>>;

// Two listed entries of equal length, by index, in the order a match line names them.
struct EntryPair {
    std::uint32_t first;
    std::uint32_t second;
};

// A size check's report: each pair of entries of equal length as a match line between empty
// lines, then the closing rule. It keeps the names as they were listed when the check ran and
// makes a line from its pair when asked for; the text's size and widest lines come from the
// names, never from all the lines.
class PairReport : public ReportLines {
public:
    virtual quint64 pairCount() const = 0;
    quint64 lineCount() const override { return 2 * pairCount() + 2; }
    QString line(quint64 k) const override;
    quint64 textSize() const override;
    QStringList widestLines(const TextWidth& width) const override;

protected:
    PairReport(NameList names, QString closingRule);

    virtual EntryPair pairAt(quint64 index) const = 0;
    // UTF-8 bytes of the names on all match lines together.
    virtual quint64 nameBytes() const = 0;
    // The pairs among which the widest match line is, given the width of each entry's name.
    virtual std::vector<EntryPair>
    widestPairs(const std::function<int(std::uint32_t)>& nameWidth) const = 0;

    // UTF-8 bytes of an entry's name as the user sees it.
    quint64 nameBytesAt(std::uint32_t entry) const;

private:
    QString matchLine(EntryPair pair) const;

    NameList m_names;
    QString m_closingRule;
    // The match line with %1 and %2 for the two names, in the user's language.
    QString m_matchLine;
};

} // namespace vornak
