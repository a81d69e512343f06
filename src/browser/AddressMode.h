#pragma once

#include <QCoreApplication>
#include <QString>

namespace vornak {

// The address box's caption for the desktop.
inline QString desktopCaption()
{
    return QCoreApplication::translate("AddressMode", "桌面");
}

// The address box is in desktop mode while its text starts with the caption's first character
// ("桌") or with the lowercase letter typed for it ("z", from its spelling "zhuomian"; each
// translation names its own); any other text, the empty one included, is an address.
inline bool isDesktopMode(const QString& text)
{
    const QString typedInitial =
        QCoreApplication::translate("AddressMode", "z", "the letter typed for the desktop");
    return (!text.isEmpty() && text.front() == desktopCaption().front()) ||
           text.startsWith(typedInitial);
}

} // namespace vornak
