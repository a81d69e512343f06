#include "core/names/NameComposition.h"

#include <algorithm>
#include <charconv>

namespace vornak {

qsizetype LastDotPosition(QByteArrayView name)
{
    return name.lastIndexOf('.') + 1;
}

NameHalves SplitName(QByteArrayView name)
{
    const qsizetype dot = LastDotPosition(name);
    if (dot == 0)
        return {std::nullopt, name};
    return {name.first(dot - 1), name.sliced(dot)};
}

std::optional<QByteArray> ComposeNewName(QByteArrayView name, qsizetype position,
                                         const RenameState& state, NameCase nameCase,
                                         CompositionUse use, const NumberFormat& numbers)
{
    const NameHalves halves = SplitName(name);
    QByteArrayView base;
    if (nameCase.replaceBase)
        base = state.newBaseName;
    else if (halves.base)
        base = *halves.base;
    else if (nameCase.replaceExtension)
        base = name;
    else
        return std::nullopt;
    const QByteArrayView extension =
        nameCase.replaceExtension ? QByteArrayView(state.newExtension) : halves.extension;

    char digits[24];
    QByteArrayView number;
    qsizetype padding = 0;
    if (nameCase.replaceBase && use == CompositionUse::Execution) {
        const auto end =
            std::to_chars(digits, digits + sizeof digits, numbers.numberAt(position)).ptr;
        number = QByteArrayView(digits, end);
        padding = std::max<qsizetype>(0, std::min(numbers.width, NumberFormat::kMaxWidth) -
                                             number.size());
    }
    const bool numbered = !number.isEmpty();

    QByteArray result;
    result.reserve(state.prefixText.size() + base.size() + state.suffixText.size() + padding +
                   number.size() + (numbered ? 2 : 0) + 1 + extension.size());
    result.append(state.prefixText).append(base).append(state.suffixText);
    if (numbered)
        result.append('(').append(padding, '0').append(number).append(')');
    result.append('.').append(extension);
    return result;
}

} // namespace vornak
