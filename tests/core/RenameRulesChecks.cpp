#include "RenameRulesChecks.h"

#include "core/names/NameComposition.h"
#include "core/plan/RenamePlan.h"

#include <QHash>
#include <QSet>

namespace vornak::test {

// The input's fields, split at "|": prefix, suffix, base name, extension; flags (bits of the
// first byte: replace the base, the extension); position; the name to compose; then pairs of
// old and new names of a run.
const char* brokenRenameRule(QByteArrayView input)
{
    const QList<QByteArray> fields = input.toByteArray().split('|');
    const RenameState state{fields.value(0), fields.value(1), fields.value(2), fields.value(3)};
    const int flags = fields.value(4).isEmpty() ? 0 : fields[4][0];
    const NameCase nameCase{(flags & 1) != 0, (flags & 2) != 0};
    const qsizetype position = 1 + qChecksum(fields.value(5));
    const QByteArray name = fields.value(6);

    // A name without a dot gets a new one only from a replaced part. A new name starts with
    // the prefix and ends with the base part, the suffix, the dot and the extension part; where
    // the base is replaced, a run's name is the preview's with the number put before the dot.
    const auto preview = ComposeNewName(name, position, state, nameCase, CompositionUse::Preview);
    const auto run = ComposeNewName(name, position, state, nameCase, CompositionUse::Execution);
    const qsizetype dot = name.lastIndexOf('.');
    if (preview.has_value() != (dot >= 0 || nameCase.replaceBase || nameCase.replaceExtension) ||
        run.has_value() != preview.has_value())
        return "only a name without a dot, neither part replaced, gets no new name";
    const QByteArray tail =
        '.' + (nameCase.replaceExtension ? state.newExtension : name.mid(dot + 1));
    const QByteArray base = nameCase.replaceBase ? state.newBaseName
                            : dot < 0            ? name
                                                 : name.first(dot);
    if (preview && (!preview->startsWith(state.prefixText) ||
                    !preview->endsWith(base + state.suffixText + tail)))
        return "a new name is the prefix, the base part, the suffix, a dot and the extension part";
    const QByteArray number = nameCase.replaceBase ? '(' + QByteArray::number(position) + ')' : "";
    if (run && *run != preview->chopped(tail.size()) + number + tail)
        return "a run's name is the preview's with the number before the dot";

    // The plan renames each file once and to the name asked for, never onto the name of a file
    // that has yet to move, and lets the renames onto one name go in list order; a cycle goes
    // through a name no file of the run has, and takes its new name first.
    std::vector<Rename> wanted;
    QHash<QByteArray, std::size_t> positionOf;
    QSet<QByteArray> yetToMove;
    QSet<QByteArray> runNames;
    for (qsizetype i = 7; i < fields.size() && wanted.size() < 16; i += 2) {
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
