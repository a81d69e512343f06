#pragma once

#include <QString>

namespace vornak {

// The address box is in desktop mode while its text starts with "桌" or a lowercase "z";
// any other text, the empty one included, is an address.
inline bool isDesktopMode(const QString& text)
{
    return text.startsWith(u'桌') || text.startsWith(u'z');
}

} // namespace vornak
