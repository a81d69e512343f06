#pragma once

#include <QByteArray>

namespace vornak {

struct RenameOptions;

// RenameState: the four option texts in force as the timer last saw them, in the bytes they
// take in a file name; a text whose option is not ticked is empty. Execution reads this
// snapshot, so a run composes every name from the same texts.
struct RenameState {
    QByteArray prefixText;
    QByteArray suffixText;
    QByteArray newBaseName;
    QByteArray newExtension;

    static RenameState from(const RenameOptions& options);
};

} // namespace vornak
