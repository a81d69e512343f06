#pragma once

#include <QString>
#include <QStringView>

namespace vornak {

// Characters that cannot stand in a file name on the program's home platform; the option
// boxes drop them as they arrive, so no option text can reach into another folder.
inline constexpr QStringView kForbiddenNameChars = u"\\/:*?<>|";

// The text without the forbidden characters and without control characters (below U+0020,
// and U+007F): a pasted line break would otherwise become part of every new name.
QString withoutForbiddenNameChars(QString text);

} // namespace vornak
