#include "OptionText.h"

namespace vornak {

QString withoutForbiddenNameChars(QString text)
{
    text.removeIf([](QChar c) { return kForbiddenNameChars.contains(c); });
    return text;
}

} // namespace vornak
