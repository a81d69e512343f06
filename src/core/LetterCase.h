#pragma once

#include <QString>
#include <QStringView>

namespace vornak {

// The letter case a rule gives one half of a name (大小写: 不变, 小写, 大写, 首字母大写).
enum class LetterCase { Unchanged, Lower, Upper, Capitalized };

// The text in that case. Capitalized makes the first letter that has a case upper (title) case
// and every other letter lower case, as in "2024 Trip to rome". Characters without case (CJK,
// digits, the stand-ins decodeName uses for bytes that are not UTF-8) are never changed.
QString withLetterCase(QStringView text, LetterCase letterCase);

} // namespace vornak
