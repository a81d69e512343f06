#include "RenameRulesChecks.h"

#include "core/names/NameComposition.h"
#include "core/plan/RenamePlan.h"

#include <QHash>
#include <QSet>

namespace vornak::test {

// The input's fields, split at "|": prefix, suffix, base name, extension; flags (bits of the
// first byte, "0" to "7": replace the base, the extension; execution); position; the name to
// compose; then pairs of old and new names of a run.
const char* brokenRenameRule(QByteArrayView input)
{
    const QList<QByteArray> fields = input.toByteArray().split('|');
    const RenameState state{fields.value(0), fields.value(1), fields.value(2), fields.value(3)};
    const int flags = fields.value(4).isEmpty() ? 0 : fields[4][0];
    const NameCase nameCase{(flags & 1) != 0, (flags & 2) != 0};
    const bool numbered = nameCase.replaceBase && (flags & 4) != 0;
    const qsizetype position = 1 + qChecksum(fields.value(5));
    const QByteArray name = fields.value(6);

    // A new name is P, the base part, S, the number (runs that replace the base only), "." and
    // the extension part, joined with nothing between them.
    const auto composed =
        ComposeNewName(name, position, state, nameCase,
                       flags & 4 ? CompositionUse::Execution : CompositionUse::Preview);
    const qsizetype dot = name.lastIndexOf('.');
    const QByteArray base = nameCase.replaceBase ? state.newBaseName
                            : dot < 0            ? name
                                                 : name.left(dot);
    const QByteArray extension = nameCase.replaceExtension ? state.newExtension : name.mid(dot + 1);
    const QByteArray number = numbered ? '(' + QByteArray::number(position) + ')' : "";
    const bool named = dot >= 0 || nameCase.replaceBase || nameCase.replaceExtension;
    if (composed != (named ? std::optional(state.prefixText + base + state.suffixText + number +
                                           '.' + extension)
                           : std::nullopt))
        return "a new name is P, base, S, (n), dot, extension in this order";

    // The plan renames each file at most once and to the name asked for, never onto the name
    // of a file that has yet to move, lets the renames onto one name go in list order, and
    // leaves only files that wait on a cycle.
    std::vector<Rename> wanted;
    QHash<QByteArray, std::size_t> positionOf;
    QSet<QByteArray> yetToMove;
    for (qsizetype i = 7; i < fields.size() && wanted.size() < 16; i += 2) {
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
