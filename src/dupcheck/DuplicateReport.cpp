#include "DuplicateReport.h"

#include "platform/Messages.h"

namespace vornak {

namespace {

// 37 hyphens, 检查完成, 39 hyphens.
constexpr QStringView kSingleCheckRule =
    u"-------------------------------------检查完成---------------------------------------";
constexpr QStringView kFullCheckRule = u"-------检查完成-------";

void appendMatch(QString& report, const QString& first, const QString& second)
{
    report.append(kLineBreak)
        .append(u"文件 “")
        .append(first)
        .append(u"” 跟 “")
        .append(second)
        .append(u"” 大小一致，可能是重复文件")
        .append(kLineBreak);
}

void close(QString& report, QStringView rule)
{
    report.append(kLineBreak).append(rule);
}

QString nameAt(const NameList& entries, qsizetype index)
{
    return entries.displayNameAt(static_cast<std::size_t>(index));
}

} // namespace

QString singleCheckReport(const NameList& entries, const Lengths& lengths, int selectedIndex,
                          std::optional<qint64> selectedLength)
{
    const QString selectedName = nameAt(entries, selectedIndex);
    QString report;
    if (selectedLength) {
        for (qsizetype i = 0; i < qsizetype(entries.size()); ++i) {
            if (i != selectedIndex && lengths[static_cast<std::size_t>(i)] == selectedLength)
                appendMatch(report, selectedName, nameAt(entries, i));
        }
    }
    if (report.isEmpty())
        return QStringLiteral("没有检测到与 “") + selectedName +
               QStringLiteral("” 大小一致的文件!");
    close(report, kSingleCheckRule);
    return report;
}

QString fullCheckReport(const NameList& entries, const Lengths& lengths)
{
    const std::vector<qsizetype> next = nextOfEqualLength(lengths);
    QString report;
    for (qsizetype i = 0; i < qsizetype(next.size()); ++i) {
        qsizetype j = next[static_cast<std::size_t>(i)];
        if (j < 0)
            continue;
        const QString first = nameAt(entries, i);
        for (; j >= 0; j = next[static_cast<std::size_t>(j)])
            appendMatch(report, first, nameAt(entries, j));
    }
    if (!report.isEmpty())
        close(report, kFullCheckRule);
    return report;
}

} // namespace vornak
