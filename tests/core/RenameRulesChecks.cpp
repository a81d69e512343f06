#include "RenameRulesChecks.h"

#include "core/plan/RenamePlan.h"

#include <QHash>
#include <QSet>

namespace vornak::test {

// The input's fields, split at "|": pairs of old and new names of a run.
const char* brokenRenameRule(QByteArrayView input)
{
    const QList<QByteArray> fields = input.toByteArray().split('|');
    // The plan renames each file once and to the name asked for, never onto the name of a file
    // that has yet to move, and lets the renames onto one name go in list order; a cycle goes
    // through a name no file of the run has, and takes its new name first.
    std::vector<Rename> wanted;
    QHash<QByteArray, std::size_t> positionOf;
    QSet<QByteArray> yetToMove;
    QSet<QByteArray> runNames;
    for (qsizetype i = 0; i < fields.size() && wanted.size() < 16; i += 2) {
        Rename rename{fields[i], fields.value(i + 1)};
        if (positionOf.contains(rename.oldName))
            continue;
        positionOf.insert(rename.oldName, wanted.size());
        if (rename.newName != rename.oldName && isEntryName(rename.newName))
            yetToMove.insert(rename.oldName);
        runNames << rename.oldName << rename.newName;
        wanted.push_back(std::move(rename));
    }
    QHash<QByteArray, std::size_t> lastOnto;
    // The files at a temporary name, by that name, with the names they had.
    QHash<QByteArray, QByteArray> away;
    for (const Rename& step : planRenames(wanted)) {
        const bool fromTemporary = away.contains(step.oldName);
        const QByteArray file = fromTemporary ? away.take(step.oldName) : step.oldName;
        const std::size_t at = positionOf.value(file);
        if (step.toTemporary) {
            if (runNames.contains(step.newName) || away.contains(step.newName))
                return "a temporary name is no name of the run";
            away.insert(step.newName, file);
        } else if (step.newName != wanted[at].newName) {
            return "each file moves to the name asked for";
        }
        if (!fromTemporary && !yetToMove.remove(file))
            return "each file moves once";
        if (yetToMove.contains(step.newName))
            return "no file moves onto a file that has yet to move";
        if (lastOnto.value(step.newName) > at)
            return "the renames onto one name go in list order";
        if (!fromTemporary)
            lastOnto.insert(step.newName, at);
    }
    if (!yetToMove.isEmpty() || !away.isEmpty())
        return "every file moves, none is left at a temporary name";
    return nullptr;
}

} // namespace vornak::test
