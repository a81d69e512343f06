#include "texts/ContentReport.h"

#include <QCoreApplication>
#include <QLocale>

namespace vornak {

QString grouped(qint64 count)
{
    static const QLocale chinese(QLocale::Chinese, QLocale::China);
    return chinese.toString(count);
}

namespace {

const QString kRule = QString(40, u'-');

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

// A link is marked as the link it is; a name after its file's first name, as a name of that
// file.
QString annotated(const NameList& entries, const ContentGroup& group, std::size_t k,
                  std::size_t first)
{
    const char* alone = nullptr;
    const char* later = QT_TRANSLATE_NOOP("ContentReport", "（与 %1 是同一个文件）");
    if (group.symbolic[k]) {
        alone = QT_TRANSLATE_NOOP("ContentReport", "（符号链接）");
        later = QT_TRANSLATE_NOOP("ContentReport", "（符号链接，与 %1 是同一个文件）");
    } else if (group.fileInfo[group.files[k]].links > 1) {
        alone = QT_TRANSLATE_NOOP("ContentReport", "（硬链接）");
        later = QT_TRANSLATE_NOOP("ContentReport", "（硬链接，与 %1 是同一个文件）");
    }
    QString name = quoted(entries, group.entries[k]);
    if (first != k)
        name += QCoreApplication::translate("ContentReport", later)
                    .arg(quoted(entries, group.entries[first]));
    else if (alone)
        name += QCoreApplication::translate("ContentReport", alone);
    return name;
}

void appendGroup(QStringList& lines, const NameList& entries, const ContentGroup& group,
                 qsizetype number)
{
    const QString names = grouped(qsizetype(group.entries.size()));
    QString heading =
        QCoreApplication::translate("ContentReport", "第 %1 组：").arg(grouped(number));
    if (group.oneFile()) {
        heading += QCoreApplication::translate("ContentReport", "%1 个名称、同一个文件，%2 字节")
                       .arg(names, grouped(group.length));
    } else {
        if (group.fileCount() < group.entries.size())
            heading += QCoreApplication::translate("ContentReport", "%1 个名称、").arg(names);
        heading += QCoreApplication::translate("ContentReport",
                                               "%1 个文件，每个 %2 字节，只留一个可释放 %3 字节")
                       .arg(grouped(group.fileCount()), grouped(group.length),
                            grouped(group.reclaimable()));
    }
    lines.append(heading);
    std::vector<std::size_t> firstName(group.fileCount(), group.entries.size());
    for (std::size_t k = 0; k < group.entries.size(); ++k) {
        std::size_t& first = firstName[group.files[k]];
        if (first == group.entries.size())
            first = k;
        lines.append(annotated(entries, group, k, first));
    }
}

} // namespace

QStringList contentReport(const NameList& entries, const ContentFindings& findings)
{
    QStringList lines;
    if (findings.groups.empty() && findings.unreadable.empty() && findings.changed.empty())
        return lines;
    std::vector<const ContentGroup*> copies;
    std::vector<const ContentGroup*> namesOfOneFile;
    qint64 reclaimable = 0;
    qint64 files = 0;
    std::size_t names = 0;
    for (const ContentGroup& group : findings.groups) {
        if (group.oneFile()) {
            namesOfOneFile.push_back(&group);
            names += group.entries.size();
        } else {
            copies.push_back(&group);
            reclaimable += group.reclaimable();
            files += group.fileCount();
        }
    }
    if (copies.empty())
        lines.append(kNoIdenticalFiles.toString());
    else
        lines.append(
            QCoreApplication::translate(
                "ContentReport", "内容相同的文件共 %1 组、%2 个文件，每组只留一个可释放 %3 字节")
                .arg(grouped(qsizetype(copies.size())), grouped(files), grouped(reclaimable)));
    qsizetype number = 0;
    for (const ContentGroup* group : copies) {
        lines.append(kRule);
        appendGroup(lines, entries, *group, ++number);
    }
    if (!namesOfOneFile.empty()) {
        lines.append(kRule);
        lines.append(
            QCoreApplication::translate("ContentReport",
                                        "同一个文件的几个名称（不是副本）共 %1 组、%2 个名称：")
                .arg(grouped(qsizetype(namesOfOneFile.size())), grouped(qsizetype(names))));
    }
    for (const ContentGroup* group : namesOfOneFile) {
        lines.append(kRule);
        appendGroup(lines, entries, *group, ++number);
    }
    if (!findings.unreadable.empty()) {
        lines.append(kRule);
        lines.append(QCoreApplication::translate("ContentReport", "无法读取、未比较的文件 %1 个：")
                         .arg(grouped(qsizetype(findings.unreadable.size()))));
        for (const UnreadableEntry& unreadable : findings.unreadable)
            lines.append(quoted(entries, unreadable.entry) + u'：' +
                         problemText(unreadable.problem));
    }
    if (!findings.changed.empty()) {
        lines.append(kRule);
        lines.append(QCoreApplication::translate("ContentReport",
                                                 "检查期间有改动、不算作内容相同的文件 %1 个：")
                         .arg(grouped(qsizetype(findings.changed.size()))));
        for (std::size_t entry : findings.changed)
            lines.append(quoted(entries, entry));
    }
    return lines;
}

} // namespace vornak
