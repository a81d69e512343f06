#include "LetterCase.h"

namespace vornak {

namespace {

QString capitalized(QStringView text)
{
    QString lower = text.toString().toLower();
    for (qsizetype i = 0; i < lower.size(); ++i) {
        char32_t c = lower[i].unicode();
        qsizetype units = 1;
        if (lower[i].isHighSurrogate() && i + 1 < lower.size() && lower[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(lower[i], lower[i + 1]);
            units = 2;
        }
        const char32_t title = QChar::toTitleCase(c);
        if (QChar::toUpper(c) == c && title == c) {
            i += units - 1;
            continue;
        }
        const auto upper = QChar::fromUcs4(title);
        lower.replace(i, units, reinterpret_cast<const QChar*>(upper.begin()), upper.size());
        break;
    }
    return lower;
}

} // namespace

QString withLetterCase(QStringView text, LetterCase letterCase)
{
    switch (letterCase) {
    case LetterCase::Unchanged:
        return text.toString();
    case LetterCase::Lower:
        return text.toString().toLower();
    case LetterCase::Upper:
        return text.toString().toUpper();
    case LetterCase::Capitalized:
        return capitalized(text);
    }
    return text.toString();
}

} // namespace vornak
