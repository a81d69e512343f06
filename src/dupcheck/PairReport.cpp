#include "PairReport.h"

#include <algorithm>

namespace vornak {

namespace {

constexpr QStringView kMatchStart = u"文件 “";
constexpr QStringView kMatchMiddle = u"” 跟 “";
constexpr QStringView kMatchEnd = u"” 大小一致，可能是重复文件";

quint64 utf8Bytes(QStringView text)
{
    return quint64(text.toUtf8().size());
}

} // namespace

PairReport::PairReport(NameList names, QString closingRule)
    : m_names(std::move(names)), m_closingRule(std::move(closingRule))
{}

QString PairReport::matchLine(EntryPair pair) const
{
    QString line;
    line.append(kMatchStart)
        .append(m_names.displayNameAt(pair.first))
        .append(kMatchMiddle)
        .append(m_names.displayNameAt(pair.second))
        .append(kMatchEnd);
    return line;
}

// Lines alternate: empty, a match, empty, ..., then the closing rule after the empty line
// that follows the last match.
QString PairReport::line(quint64 k) const
{
    if (k + 1 == lineCount())
        return m_closingRule;
    if (k % 2 == 0 || k >= lineCount())
        return {};
    return matchLine(pairAt(k / 2));
}

quint64 PairReport::textSize() const
{
    static const quint64 kFixedBytes =
        utf8Bytes(kMatchStart) + utf8Bytes(kMatchMiddle) + utf8Bytes(kMatchEnd);
    return pairCount() * kFixedBytes + nameBytes() + utf8Bytes(m_closingRule) + lineCount() - 1;
}

int PairReport::width(const QFontMetrics& metrics) const
{
    int widest = metrics.horizontalAdvance(m_closingRule);
    const auto nameWidth = [&](std::uint32_t entry) {
        return metrics.horizontalAdvance(m_names.displayNameAt(entry));
    };
    for (const EntryPair& pair : widestPairs(nameWidth))
        widest = std::max(widest, metrics.horizontalAdvance(matchLine(pair)));
    return widest;
}

quint64 PairReport::nameBytesAt(std::uint32_t entry) const
{
    const QByteArrayView bytes = m_names.bytesAt(entry);
    return bytes.isValidUtf8() ? quint64(bytes.size()) : utf8Bytes(m_names.displayNameAt(entry));
}

} // namespace vornak
