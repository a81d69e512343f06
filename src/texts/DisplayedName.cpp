#include "texts/DisplayedName.h"

#include "core/names/NameText.h"

#include <QCoreApplication>

namespace vornak {

QString displayedName(QByteArrayView name)
{
    if (name.isValidUtf8())
        return QString::fromUtf8(name);
    return QCoreApplication::translate("NameText", "[非UTF-8] ") + escapedName(name);
}

} // namespace vornak
