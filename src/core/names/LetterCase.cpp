#include "core/names/LetterCase.h"

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

// Upper or lower case for ASCII text; false, changing nothing, when the text is not ASCII.
bool setAsciiCase(QChar* text, qsizetype length, bool upper)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (text[i].unicode() >= 0x80)
            return false;
    }
    const char16_t from = upper ? u'a' : u'A';
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= from && c <= from + 25)
            text[i] = QChar(static_cast<char16_t>(upper ? c - 32 : c + 32));
    }
    return true;
}

} // namespace

void setLetterCase(QString& text, qsizetype from, qsizetype length, LetterCase letterCase)
{
    const QStringView part = QStringView(text).sliced(from, length);
    switch (letterCase) {
    case LetterCase::Unchanged:
        return;
    case LetterCase::Lower:
    case LetterCase::Upper: {
        const bool upper = letterCase == LetterCase::Upper;
        if (!setAsciiCase(text.data() + from, length, upper))
            text.replace(from, length,
                         upper ? part.toString().toUpper() : part.toString().toLower());
        return;
    }
    case LetterCase::Capitalized:
        text.replace(from, length, capitalized(part));
        return;
    }
}

} // namespace vornak
