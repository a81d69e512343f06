#include "RenameRulesChecks.h"

#include "core/plan/RenamePlan.h"

#include <QHash>
#include <QSet>

namespace vornak::test {

// The input's fields, split at "|": pairs of old and new names of a run.
const char* brokenRenameRule(QByteArrayView input)
{
    const QList<QByteArray> fields = input.toByteArray().split('|');
    // The plan renames each file at most once and to the name asked for, never onto the name
    // of a file that has yet to move, lets the renames onto one name go in list order, and
    // leaves only files that wait on a cycle.
    std::vector<Rename> wanted;
    QHash<QByteArray, std::size_t> positionOf;
    QSet<QByteArray> yetToMove;
    for (qsizetype i = 0; i < fields.size() && wanted.size() < 16; i += 2) {
        Rename rename{fields[i], fields.value(i + 1)};
        if (positionOf.contains(rename.oldName))
            continue;
        positionOf.insert(rename.oldName, wanted.size());
        if (rename.newName != rename.oldName && isEntryName(rename.newName))
            yetToMove.insert(rename.oldName);
        wanted.push_back(std::move(rename));
    }
    QHash<QByteArray, std::size_t> lastOnto;
    for (const Rename& step : planRenames(wanted)) {
        const std::size_t at = positionOf.value(step.oldName);
        if (!yetToMove.remove(step.oldName) || step.newName != wanted[at].newName)
            return "each file moves at most once, to the name asked for";
        if (yetToMove.contains(step.newName))
            return "no file moves onto a file that has yet to move";
        if (lastOnto.value(step.newName) > at)
            return "the renames onto one name go in list order";
        lastOnto.insert(step.newName, at);
    }
    for (const Rename& rename : wanted) {
        if (yetToMove.contains(rename.oldName) && !yetToMove.contains(rename.newName))
            return "only files that wait on a cycle keep their names";
    }
    return nullptr;
}

} // namespace vornak::test
