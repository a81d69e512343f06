#pragma once

#include "core/names/RenameState.h"

#include <QByteArrayView>

#include <optional>

// The one rule for new file names, shared by the preview and the rename run. It works on the
// exact bytes of a name, so a name that is not valid UTF-8 keeps its bytes.
namespace vornak {

// Which halves of the name are replaced: whether the new base name and the new extension are
// ticked when composing.
struct NameCase {
    bool replaceBase = false;
    bool replaceExtension = false;
};

// The preview leaves out the position number that a run writes.
enum class CompositionUse { Execution, Preview };

// How the number a run writes follows from the entry's position: start, start + step, ...,
// written with at least width digits, padded with zeros. The defaults write the position.
struct NumberFormat {
    static constexpr qint64 kMaxStart = 999'999'999;
    static constexpr qint64 kMaxStep = 1'000'000;
    static constexpr int kMaxWidth = 12;

    qint64 start = 1; // 0 to kMaxStart
    qint64 step = 1;  // 1 to kMaxStep
    int width = 0;    // 0 to kMaxWidth; 0 and 1 pad nothing

    qint64 numberAt(qsizetype position) const { return start + (position - 1) * step; }
    friend bool operator==(const NumberFormat&, const NumberFormat&) = default;
};

// The position, counting from 1, of the last "." in name; 0 when it holds none.
qsizetype LastDotPosition(QByteArrayView name);

// The halves of a name around its last "."; without a dot there is no base name and the
// extension is the whole name. Both view the given name.
struct NameHalves {
    std::optional<QByteArrayView> base;
    QByteArrayView extension;
};
NameHalves SplitName(QByteArrayView name);

// The new name of the entry at position (counting from 1). Nothing when the rule gives no
// name: neither half is replaced and the name holds no ".".
std::optional<QByteArray> ComposeNewName(QByteArrayView name, qsizetype position,
                                         const RenameState& state, NameCase nameCase,
                                         CompositionUse use, const NumberFormat& numbers = {});

} // namespace vornak
