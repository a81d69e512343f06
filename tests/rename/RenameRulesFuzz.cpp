// libFuzzer target for the rename rules: the composed name is exactly the pieces the rule names,
// option texts never keep a forbidden character, and a rename plan never renames onto a file
// of the run that has yet to move.
#include "rename/NameComposition.h"
#include "rename/OptionText.h"
#include "rename/RenamePlan.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QSet>

#include <cstdlib>
#include <string>

using namespace vornak;

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

QByteArray bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void checkComposition(FuzzedDataProvider& input)
{
    const bool replaceBase = input.ConsumeBool();
    const bool replaceExtension = input.ConsumeBool();
    const bool preview = input.ConsumeBool();
    const auto position = input.ConsumeIntegralInRange<qsizetype>(1, 1'000'000'000);
    const std::string name = input.ConsumeRandomLengthString(64);
    const std::string p = input.ConsumeRandomLengthString(16);
    const std::string s = input.ConsumeRandomLengthString(16);
    const std::string b = input.ConsumeRandomLengthString(16);
    const std::string e = input.ConsumeRandomLengthString(16);

    const std::size_t dot = name.rfind('.');
    const qsizetype lastDot = LastDotPosition(bytes(name));
    check(lastDot == (dot == std::string::npos ? 0 : static_cast<qsizetype>(dot) + 1));

    const RenameState state{bytes(p), bytes(s), bytes(b), bytes(e)};
    const auto composed =
        ComposeNewName(bytes(name), position, state, {replaceBase, replaceExtension},
                       preview ? CompositionUse::Preview : CompositionUse::Execution);
    if (!replaceBase && !replaceExtension && dot == std::string::npos) {
        check(!composed);
        return;
    }
    const std::string base =
        replaceBase ? b : (dot == std::string::npos ? name : name.substr(0, dot));
    const std::string extension =
        replaceExtension ? e : (dot == std::string::npos ? name : name.substr(dot + 1));
    const std::string number =
        replaceBase && !preview ? "(" + std::to_string(position) + ")" : std::string();
    check(composed && *composed == bytes(p + base + s + number + "." + extension));
}

void checkCleaning(FuzzedDataProvider& input)
{
    const std::u16string units = [&] {
        std::u16string text;
        const auto length = input.ConsumeIntegralInRange<std::size_t>(0, 32);
        for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i)
            text.push_back(input.ConsumeIntegral<char16_t>());
        return text;
    }();
    const QString text = QString::fromStdU16String(units);
    const QString cleaned = withoutForbiddenNameChars(text);
    QString expected;
    for (QChar c : text) {
        if (!kForbiddenNameChars.contains(c))
            expected.append(c);
    }
    check(cleaned == expected);
    check(withoutForbiddenNameChars(cleaned) == cleaned);
}

// Names from a tiny alphabet, so that chains, cycles and collisions are common.
QByteArray smallName(FuzzedDataProvider& input)
{
    return bytes(input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 2)));
}

void checkPlan(FuzzedDataProvider& input)
{
    std::vector<Rename> wanted;
    QSet<QByteArray> oldNames;
    const auto count = input.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t i = 0; i < count && input.remaining_bytes() > 0; ++i) {
        Rename rename{smallName(input), smallName(input)};
        if (!oldNames.contains(rename.oldName)) {
            oldNames.insert(rename.oldName);
            wanted.push_back(std::move(rename));
        }
    }
    QSet<QByteArray> yetToMove;
    for (const Rename& rename : wanted) {
        if (rename.newName != rename.oldName && isEntryName(rename.newName))
            yetToMove.insert(rename.oldName);
    }
    const std::vector<Rename> plan = planRenames(wanted);
    QSet<QByteArray> moved;
    for (const Rename& step : plan) {
        check(yetToMove.contains(step.oldName) && !moved.contains(step.oldName));
        check(!yetToMove.contains(step.newName));
        moved.insert(step.oldName);
        yetToMove.remove(step.oldName);
    }
    // Whatever is left waits on a cycle: each waits on another file that is left too.
    for (const Rename& rename : wanted) {
        if (yetToMove.contains(rename.oldName))
            check(yetToMove.contains(rename.newName));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    switch (input.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
        checkComposition(input);
        break;
    case 1:
        checkCleaning(input);
        break;
    default:
        checkPlan(input);
        break;
    }
    return 0;
}
