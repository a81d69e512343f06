#include "texts/PairReport.h"

#include <QCoreApplication>

namespace vornak {

namespace {

quint64 utf8Bytes(QStringView text)
{
    return quint64(text.toUtf8().size());
}

} // namespace

PairReport::PairReport(NameList names, QString closingRule)
    : m_names(std::move(names)), m_closingRule(std::move(closingRule)),
      m_matchLine(
          QCoreApplication::translate("PairReport", "文件 “%1” 跟 “%2” 大小一致，可能是重复文件"))
{}

QString PairReport::matchLine(EntryPair pair) const
{
    return m_matchLine.arg(m_names.displayNameAt(pair.first), m_names.displayNameAt(pair.second));
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
    // The match line without its two places for names, "%1" and "%2".
    const quint64 fixedBytes = utf8Bytes(m_matchLine) - 4;
    return pairCount() * fixedBytes + nameBytes() + utf8Bytes(m_closingRule) + lineCount() - 1;
}

QStringList PairReport::widestLines(const TextWidth& width) const
{
    QStringList lines{m_closingRule};
    const auto nameWidth = [&](std::uint32_t entry) { return width(m_names.displayNameAt(entry)); };
    for (const EntryPair& pair : widestPairs(nameWidth))
        lines.append(matchLine(pair));
    return lines;
}

quint64 PairReport::nameBytesAt(std::uint32_t entry) const
{
    const QByteArrayView bytes = m_names.bytesAt(entry);
    return bytes.isValidUtf8() ? quint64(bytes.size()) : utf8Bytes(m_names.displayNameAt(entry));
}

} // namespace vornak
