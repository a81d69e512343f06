#include "core/names/OptionText.h"

namespace vornak {

QString withoutForbiddenNameChars(QString text)
{
    text.removeIf([](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || kForbiddenNameChars.contains(c);
    });
    return text;
}

} // namespace vornak
