#include "texts/SingleCheckReport.h"

#include <QCoreApplication>

namespace vornak {

SingleCheckReport::SingleCheckReport(NameList names, const Lengths& lengths, std::uint32_t selected,
                                     std::optional<qint64> selectedLength)
    // 37 hyphens, 检查完成, 39 hyphens.
    : PairReport(std::move(names),
                 QCoreApplication::translate("PairReport", "-------------------------------------"
                                                           "检查完成------------------------------"
                                                           "---------")),
      m_selected(selected)
{
    if (!selectedLength)
        return;
    for (std::uint32_t i = 0; i < lengths.size(); ++i) {
        if (i != selected && lengths[i] == selectedLength)
            m_matches.push_back(i);
    }
}

quint64 SingleCheckReport::nameBytes() const
{
    quint64 bytes = pairCount() * nameBytesAt(m_selected);
    for (const std::uint32_t match : m_matches)
        bytes += nameBytesAt(match);
    return bytes;
}

std::vector<EntryPair>
SingleCheckReport::widestPairs(const std::function<int(std::uint32_t)>& nameWidth) const
{
    if (m_matches.empty())
        return {};
    std::uint32_t widest = m_matches.front();
    int widestWidth = nameWidth(widest);
    for (const std::uint32_t match : m_matches) {
        if (const int width = nameWidth(match); width > widestWidth) {
            widest = match;
            widestWidth = width;
        }
    }
    return {{m_selected, widest}};
}

QString noMatchText(const QString& selectedName)
{
    return QCoreApplication::translate("PairReport", "没有检测到与 “%1” 大小一致的文件!")
        .arg(selectedName);
}

} // namespace vornak
