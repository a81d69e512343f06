#pragma once

#include <QString>

#include <cstdint>

namespace vornak {

// Why a find/replace rule cannot be applied, with what the message beside the field needs.
struct ReplaceError {
    enum class Kind : std::uint8_t {
        None,
        // The regular expression does not compile.
        BadExpression,
        // The replacement refers to a group the expression does not have.
        MissingGroup,
    };

    Kind kind = Kind::None;
    // BadExpression: the character where the expression goes wrong, from 1, and the
    // expression engine's own account of it.
    qsizetype position = 0;
    QString detail;
    // MissingGroup: the reference as the user wrote it, its sign ('$' or '\\') and group
    // number, and the number of groups the expression has.
    QChar sign;
    int group = 0;
    int groups = 0;
};

} // namespace vornak
