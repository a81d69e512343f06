#pragma once

#include <QString>
#include <QStringView>

namespace vornak {

// Characters that cannot stand in a file name on the program's home platform; the option
// boxes drop them as they arrive, so no option text can reach into another folder.
inline constexpr QStringView kForbiddenNameChars = u"\\/:*?<>|";

QString withoutForbiddenNameChars(QString text);

} // namespace vornak
