#include "cli/RenameList.h"

#include "cli/CommandLineText.h"
#include "core/names/NativePath.h"
#include "texts/PlanFormat.h"

#include <QList>

namespace vornak {

namespace {

// The folder a line names below the list's folder: "" for that folder itself, given as it is,
// as "." or left empty (as the batch preview's copy leaves it); nothing for any other absolute
// folder or a path that is not made of entry names.
std::optional<QByteArray> pathBelow(const QByteArray& field, const QByteArray& folder)
{
    if (field.isEmpty() || field == folder || field == ".")
        return QByteArray();
    if (field.startsWith('/'))
        return std::nullopt;
    for (const QByteArray& part : field.split('/'))
        if (!isEntryName(part))
            return std::nullopt;
    return field;
}

} // namespace

std::variant<std::vector<ListedRename>, QString> readRenameList(const QByteArray& text,
                                                                const QByteArray& folder)
{
    const QList<QByteArray> lines = text.split('\n');
    const bool planText = !lines.isEmpty() && isPlanHeader(lines.front());
    std::vector<ListedRename> renames;
    for (qsizetype k = planText ? 1 : 0; k < lines.size(); ++k) {
        const QByteArray& line = lines[k];
        if (line.isEmpty())
            continue;
        const QString where = CommandLineText::tr("清单第 %1 行：").arg(k + 1);
        if (planText) {
            const std::optional<PlanLine> read = readPlanLine(line);
            if (!read)
                return where + CommandLineText::tr("不是计划文本的一行");
            const std::optional<QByteArray> path = pathBelow(read->folder, folder);
            if (!path && read->folder.startsWith('/'))
                return where + CommandLineText::tr("属于另一个文件夹");
            if (!path)
                return where + CommandLineText::tr("文件夹“%1”不在所给的文件夹之下")
                                   .arg(displayText(read->folder));
            renames.push_back({*path, {read->oldName, read->newName}});
            continue;
        }
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0 || line.indexOf('\t', tab + 1) >= 0)
            return where + CommandLineText::tr("应为“原文件名<TAB>新文件名”");
        renames.push_back({{}, {line.first(tab), line.sliced(tab + 1)}});
    }
    return renames;
}

} // namespace vornak
