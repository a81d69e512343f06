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
