// libFuzzer target for the rename rules. The plan renames each file of the run at most once,
// never onto the name of a file that has yet to move, and leaves only files that wait on a
// cycle; cleaning leaves no forbidden character and every other one in its place; a composed
// name is P, the base part, S, the number (runs that replace the base only), "." and the
// extension part, joined with nothing between them.
#include "core/NameComposition.h"
#include "core/OptionText.h"
#include "core/RenamePlan.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QSet>

#include <algorithm>
#include <cstdlib>

using namespace vornak;

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

void checkCleaning(FuzzedDataProvider& input)
{
    const QString text = QString::fromUtf8(input.ConsumeRandomLengthString(16));
    QString kept;
    for (QChar c : text) {
        if (!kForbiddenNameChars.contains(c))
            kept.append(c);
    }
    check(withoutForbiddenNameChars(text) == kept);
}

void checkComposition(FuzzedDataProvider& input)
{
    const auto text = [&] { return QByteArray::fromStdString(input.ConsumeRandomLengthString(6)); };
    const RenameState state{text(), text(), text(), text()};
    const NameCase nameCase{input.ConsumeBool(), input.ConsumeBool()};
    const auto use = input.ConsumeBool() ? CompositionUse::Execution : CompositionUse::Preview;
    const qsizetype position = input.ConsumeIntegralInRange<qsizetype>(1, 1000000);
    const QByteArray name = text();

    const qsizetype dot = name.lastIndexOf('.');
    const QByteArray extension = dot < 0 ? name : name.mid(dot + 1);
    const auto composed = ComposeNewName(name, position, state, nameCase, use);
    if (dot < 0 && !nameCase.replaceBase && !nameCase.replaceExtension) {
        check(!composed);
        return;
    }
    const QByteArray base = nameCase.replaceBase ? state.newBaseName
                            : dot < 0            ? name
                                                 : name.left(dot);
    const QByteArray number = nameCase.replaceBase && use == CompositionUse::Execution
                                  ? '(' + QByteArray::number(position) + ')'
                                  : QByteArray();
    check(composed == state.prefixText + base + state.suffixText + number + '.' +
                          (nameCase.replaceExtension ? state.newExtension : extension));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    checkCleaning(input);
    checkComposition(input);
    // Names of up to two bytes, so that chains, cycles and collisions are common.
    const auto name = [&] { return QByteArray::fromStdString(input.ConsumeRandomLengthString(2)); };
    std::vector<Rename> wanted;
    QSet<QByteArray> yetToMove;
    while (wanted.size() < 12 && input.remaining_bytes() > 0) {
        Rename rename{name(), name()};
        if (std::any_of(wanted.begin(), wanted.end(),
                        [&](const Rename& r) { return r.oldName == rename.oldName; }))
            continue;
        if (rename.newName != rename.oldName && isEntryName(rename.newName))
            yetToMove.insert(rename.oldName);
        wanted.push_back(std::move(rename));
    }
    for (const Rename& step : planRenames(wanted))
        check(yetToMove.remove(step.oldName) && !yetToMove.contains(step.newName));
    for (const Rename& rename : wanted) {
        if (yetToMove.contains(rename.oldName))
            check(yetToMove.contains(rename.newName));
    }
    return 0;
}
