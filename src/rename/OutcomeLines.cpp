#include "OutcomeLines.h"

#include <algorithm>
#include <vector>

namespace vornak {

namespace {

// Lines laid out and measured: those their characters make the widest.
constexpr std::size_t kMeasured = 32;

} // namespace

OutcomeLines::OutcomeLines(quint64 count, LineAt lineAt, const RoughWidthAt& roughWidthAt,
                           const QFont& font, int room)
    : m_count(count), m_lineAt(std::move(lineAt)), m_fit(font, room)
{
    const QFontMetrics metrics(font);
    CharAdvances advances(metrics);
    // The roughly widest lines, as (rough width, line), widest first.
    std::vector<std::pair<int, quint64>> widest;
    for (quint64 k = 0; k < m_count; ++k) {
        // Names are shortened to fit: lines wider than the room show as wide as it.
        const int rough = std::min(roughWidthAt(k, advances), room);
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
        const int width = metrics.horizontalAdvance(shownLine(k));
        if (width > m_width) {
            m_width = width;
            m_widest = k;
        }
    }
}

QStringList OutcomeLines::widestLines(const TextWidth& width) const
{
    QString widest = shownLine(m_widest);
    if (width(widest) == m_width)
        return {std::move(widest)};
    return ReportLines::widestLines(width);
}

} // namespace vornak
