#include "OutcomeLines.h"

#include <algorithm>
#include <vector>

namespace vornak {

namespace {

// Lines laid out and measured: those their characters make the widest.
constexpr std::size_t kMeasured = 32;

} // namespace

OutcomeLines::OutcomeLines(quint64 count, LineAt lineAt, const RoughWidthAt& roughWidthAt,
                           const QFont& font)
    : m_count(count), m_lineAt(std::move(lineAt))
{
    const QFontMetrics metrics(font);
    CharAdvances advances(metrics);
    // The roughly widest lines, as (rough width, line), widest first.
    std::vector<std::pair<int, quint64>> widest;
    for (quint64 k = 0; k < m_count; ++k) {
        const int rough = roughWidthAt(k, advances);
        if (widest.size() == kMeasured && rough <= widest.back().first)
            continue;
        const auto place = std::upper_bound(
            widest.begin(), widest.end(), rough,
            [](int width, const std::pair<int, quint64>& other) { return width > other.first; });
        widest.insert(place, {rough, k});
        if (widest.size() > kMeasured)
            widest.pop_back();
    }
    for (const auto& [rough, k] : widest) {
        const int width = metrics.horizontalAdvance(line(k));
        if (width > m_width) {
            m_width = width;
            m_widest = k;
        }
    }
}

OutcomeLines::OutcomeLines(QStringList lines, const QFont& font)
    : OutcomeLines(
          quint64(lines.size()), [lines](quint64 k) { return lines[qsizetype(k)]; },
          [&lines](quint64 k, CharAdvances& advances) {
              return advances.width(lines[qsizetype(k)]);
          },
          font)
{}

QStringList OutcomeLines::widestLines(const TextWidth& width) const
{
    QString widest = line(m_widest);
    if (width(widest) == m_width)
        return {std::move(widest)};
    return ReportLines::widestLines(width);
}

} // namespace vornak
