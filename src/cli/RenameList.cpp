#include "cli/RenameList.h"

#include "cli/CommandLineText.h"
#include "texts/PlanFormat.h"

#include <QList>

namespace vornak {

std::variant<std::vector<Rename>, QString> readRenameList(const QByteArray& text,
                                                          const QByteArray& folder)
{
    const QList<QByteArray> lines = text.split('\n');
    const bool planText = !lines.isEmpty() && isPlanHeader(lines.front());
    std::vector<Rename> renames;
    for (qsizetype k = planText ? 1 : 0; k < lines.size(); ++k) {
        const QByteArray& line = lines[k];
        if (line.isEmpty())
            continue;
        const QString where = CommandLineText::tr("清单第 %1 行：").arg(k + 1);
        if (planText) {
            const std::optional<PlanLine> read = readPlanLine(line);
            if (!read)
                return where + CommandLineText::tr("不是计划文本的一行");
            if (read->folder != folder)
                return where + CommandLineText::tr("属于另一个文件夹");
            renames.push_back({read->oldName, read->newName});
            continue;
        }
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0 || line.indexOf('\t', tab + 1) >= 0)
            return where + CommandLineText::tr("应为“原文件名<TAB>新文件名”");
        renames.push_back({line.first(tab), line.sliced(tab + 1)});
    }
    return renames;
}

} // namespace vornak
