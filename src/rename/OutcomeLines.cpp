#include "OutcomeLines.h"

#include <QFontMetrics>
#include <QHash>

#include <algorithm>
#include <vector>

namespace vornak {

namespace {

// Lines measured exactly: those the characters' own advances make the widest.
constexpr std::size_t kMeasured = 32;

// The sum of the advances of the line's UTF-16 units, each measured once: close to the line's
// width (kerning and shaping aside), at a fraction of the cost of laying the line out.
int roughWidth(const QString& line, const QFontMetrics& metrics, QHash<char16_t, int>& advances)
{
    int width = 0;
    for (const QChar unit : line) {
        auto advance = advances.find(unit.unicode());
        if (advance == advances.end())
            advance = advances.insert(unit.unicode(), metrics.horizontalAdvance(QString(unit)));
        width += *advance;
    }
    return width;
}

} // namespace

OutcomeLines::OutcomeLines(QStringList lines, const QFont& font) : TextLines(std::move(lines))
{
    const QFontMetrics metrics(font);
    QHash<char16_t, int> advances;
    // The roughly widest lines, as (rough width, line), widest first.
    std::vector<std::pair<int, quint64>> widest;
    for (quint64 k = 0; k < lineCount(); ++k) {
        const int rough = roughWidth(line(k), metrics, advances);
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

int OutcomeLines::width(const QFontMetrics& metrics) const
{
    if (metrics.horizontalAdvance(line(m_widest)) == m_width)
        return m_width;
    return TextLines::width(metrics);
}

} // namespace vornak
