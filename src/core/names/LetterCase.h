#pragma once

#include <QString>

namespace vornak {

// The letter case a rule gives one half of a name (大小写: 不变, 小写, 大写, 首字母大写).
enum class LetterCase { Unchanged, Lower, Upper, Capitalized };

// Puts the length characters of text from position from in that case. Capitalized makes the
// first letter that has a case upper (title) case and every other letter lower case, as in
// "2024 Trip to rome". Characters without case (CJK, digits, the stand-ins decodeName uses for
// bytes that are not UTF-8) are never changed. ASCII is changed in place, the common case of
// 100,000 extensions.
void setLetterCase(QString& text, qsizetype from, qsizetype length, LetterCase letterCase);

} // namespace vornak
