#include "texts/ContentReport.h"

#include <QCoreApplication>
#include <QLocale>

namespace vornak {

namespace {

const QString kRule = QString(40, u'-');

QString bytes(qint64 count)
{
    static const QLocale chinese(QLocale::Chinese, QLocale::China);
    return chinese.toString(count);
}

QString quoted(const NameList& entries, std::size_t entry)
{
    return u'“' + entries.displayNameAt(entry) + u'”';
}

QString problemText(ReadProblem problem)
{
    switch (problem) {
    case ReadProblem::Missing:
        return QCoreApplication::translate("ContentReport", "文件不存在");
    case ReadProblem::NotAFile:
        return QCoreApplication::translate("ContentReport", "不是普通文件");
    case ReadProblem::NoPermission:
        return QCoreApplication::translate("ContentReport", "没有读取权限");
    case ReadProblem::ReadError:
        break;
    }
    return QCoreApplication::translate("ContentReport", "读取出错");
}

void appendGroup(QStringList& lines, const NameList& entries, const ContentGroup& group,
                 qsizetype number)
{
    QString heading = QCoreApplication::translate("ContentReport", "第 %1 组：").arg(number);
    if (group.fileCount < group.entries.size())
        heading += QCoreApplication::translate("ContentReport", "%1 个名称、%2 个文件")
                       .arg(group.entries.size())
                       .arg(group.fileCount);
    else
        heading += QCoreApplication::translate("ContentReport", "%1 个文件").arg(group.fileCount);
    heading +=
        QCoreApplication::translate("ContentReport", "，每个 %1 字节，只留一个可释放 %2 字节")
            .arg(bytes(group.length), bytes(group.reclaimable()));
    if (group.byHash)
        heading += QCoreApplication::translate("ContentReport",
                                               "（文件太多，按整个文件的 XXH3-128 散列判定）");
    lines.append(heading);
    // The first name of each file, for the names that lead to the same file.
    std::vector<std::size_t> firstName(group.fileCount, group.entries.size());
    for (std::size_t k = 0; k < group.entries.size(); ++k) {
        std::size_t& first = firstName[group.files[k]];
        QString line = quoted(entries, group.entries[k]);
        if (first == group.entries.size())
            first = k;
        else
            line += QCoreApplication::translate("ContentReport", "（与 %1 是同一个文件）")
                        .arg(quoted(entries, group.entries[first]));
        lines.append(line);
    }
}

} // namespace

QStringList contentReport(const NameList& entries, const ContentFindings& findings)
{
    QStringList lines;
    if (findings.groups.empty() && findings.unreadable.empty() && findings.changed.empty())
        return lines;
    qint64 reclaimable = 0;
    std::size_t names = 0;
    for (const ContentGroup& group : findings.groups) {
        reclaimable += group.reclaimable();
        names += group.entries.size();
    }
    if (findings.groups.empty())
        lines.append(kNoIdenticalFiles.toString());
    else
        lines.append(
            QCoreApplication::translate("ContentReport",
                                        "内容相同的文件共 %1 组、%2 个，每组只留一个可释放 %3 字节")
                .arg(findings.groups.size())
                .arg(names)
                .arg(bytes(reclaimable)));
    for (std::size_t g = 0; g < findings.groups.size(); ++g) {
        lines.append(kRule);
        appendGroup(lines, entries, findings.groups[g], qsizetype(g) + 1);
    }
    if (!findings.unreadable.empty()) {
        lines.append(kRule);
        lines.append(QCoreApplication::translate("ContentReport", "无法读取、未比较的文件 %1 个：")
                         .arg(findings.unreadable.size()));
        for (const UnreadableEntry& unreadable : findings.unreadable)
            lines.append(quoted(entries, unreadable.entry) + u'：' +
                         problemText(unreadable.problem));
    }
    if (!findings.changed.empty()) {
        lines.append(kRule);
        lines.append(QCoreApplication::translate("ContentReport",
                                                 "检查期间有改动、不算作内容相同的文件 %1 个：")
                         .arg(findings.changed.size()));
        for (std::size_t entry : findings.changed)
            lines.append(quoted(entries, entry));
    }
    return lines;
}

} // namespace vornak
