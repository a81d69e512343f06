#pragma once

#include "core/names/NameComposition.h"

#include <QString>

namespace vornak {

enum class RenameMode { Batch, Single };

// One check box with the text it governs, as read from the controls.
struct OptionInput {
    bool checked = false;
    QString input;

    friend bool operator==(const OptionInput&, const OptionInput&) = default;
};

// RenameOptions: the option controls' state at the moment it is read; never kept.
struct RenameOptions {
    RenameMode mode = RenameMode::Batch;
    OptionInput prefix;
    OptionInput suffix;
    OptionInput newBaseName;
    OptionInput newExtension;

    NameCase nameCase() const { return {newBaseName.checked, newExtension.checked}; }
    bool anyTicked() const
    {
        return prefix.checked || suffix.checked || newBaseName.checked || newExtension.checked;
    }
    friend bool operator==(const RenameOptions&, const RenameOptions&) = default;
};

} // namespace vornak
