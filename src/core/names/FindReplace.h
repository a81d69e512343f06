#pragma once

#include <QString>

namespace vornak {

// The 查找/替换 rule as the user sets it; an empty find text changes nothing.
struct FindReplace {
    enum class Scope { BaseName, WholeName };

    QString find;
    QString replacement;
    // A QRegularExpression whose replacement may refer to its groups (see TextReplacer).
    bool regularExpression = false;
    bool caseSensitive = false; // 区分大小写
    // The base name is everything before the last "." (the whole name when it holds none).
    Scope scope = Scope::BaseName;

    friend bool operator==(const FindReplace&, const FindReplace&) = default;
};

} // namespace vornak
