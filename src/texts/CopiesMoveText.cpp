#include "texts/CopiesMoveText.h"

#include "texts/ContentReport.h"
#include "texts/SystemReason.h"

#include <QCoreApplication>

namespace vornak {

namespace {

class Text {
    Q_DECLARE_TR_FUNCTIONS(CopiesMoveText)
};

QString nameOf(const NameList& entries, const ContentGroup& group, std::size_t k)
{
    QString name = u'“' + entries.displayNameAt(group.entries[k]) + u'”';
    if (group.symbolic[k])
        name += Text::tr("（符号链接）");
    else if (group.fileInfo[group.files[k]].links > 1)
        name += Text::tr("（硬链接）");
    return name;
}

} // namespace

QStringList copiesMoveLines(const NameList& entries, const ContentFindings& findings,
                            const std::vector<CopiesMove>& moves)
{
    QStringList lines;
    if (moves.empty())
        return {kNoCopiesToMove.toString()};
    qint64 names = 0;
    for (const CopiesMove& move : moves)
        names += qint64(move.moved.size());
    lines.append(
        Text::tr("共 %1 组，%2 个名称移到回收站，清空回收站可释放 %3 字节")
            .arg(grouped(qint64(moves.size())), grouped(names), grouped(freedBytes(moves))));
    qint64 number = 0;
    for (const CopiesMove& move : moves) {
        const ContentGroup& group = findings.groups[move.group];
        std::size_t next = 0;
        QStringList moved;
        for (std::size_t k = 0; k < group.entries.size(); ++k) {
            if (group.entries[k] == move.kept)
                lines.append(Text::tr("第 %1 组：保留 %2")
                                 .arg(grouped(++number), nameOf(entries, group, k)));
            if (next < move.moved.size() && group.entries[k] == move.moved[next])
                moved.append(Text::tr("　移走 %1，可释放 %2 字节")
                                 .arg(nameOf(entries, group, k), grouped(move.freed[next++])));
        }
        lines.append(moved);
    }
    return lines;
}

QStringList trashRunLines(const std::vector<TrashCandidate>& names, const TrashRunRecord& record)
{
    const qint64 stayed = qint64(names.size() - record.moved);
    QStringList lines{Text::tr("已将 %1 个文件移到回收站，%2 个未能移动。")
                          .arg(grouped(qint64(record.moved)), grouped(stayed))};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const TrashStepResult& step = record.steps[i];
        if (step.outcome == TrashOutcome::Trashed)
            continue;
        QString reason;
        if (step.changed)
            reason = Text::tr("检查之后有改动，不再算作副本");
        else if (step.outcome == TrashOutcome::NoTrashOnVolume)
            reason = Text::tr("所在的卷没有可用的回收站");
        else
            reason = systemReasonText(step.error);
        lines.append(Text::tr("“%1”：%2").arg(QString::fromUtf8(names[i].name), reason));
    }
    return lines;
}

} // namespace vornak
