#include "AppIcon.h"

namespace vornak {

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/vornak/icons/vornak-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace vornak
