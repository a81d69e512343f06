#include "CharAdvances.h"

namespace vornak {

namespace {

constexpr char32_t kPlaneSize = 0x10000;

} // namespace

CharAdvances::CharAdvances(const QFontMetrics& metrics)
    : m_metrics(metrics), m_advances(kPlaneSize, -1)
{}

int CharAdvances::advance(char32_t code)
{
    if (code >= kPlaneSize)
        return m_metrics.horizontalAdvance(QString::fromUcs4(&code, 1));
    int& known = m_advances[code];
    if (known < 0)
        known = m_metrics.horizontalAdvance(QString::fromUcs4(&code, 1));
    return known;
}

int CharAdvances::width(QStringView text)
{
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        width += advance(pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode());
        i += pair;
    }
    return width;
}

int CharAdvances::width(QByteArrayView utf8)
{
    // Plain ASCII, the most common, needs no decoding.
    int width = 0;
    qsizetype i = 0;
    while (i < utf8.size() && uchar(utf8[i]) < 0x80)
        width += advance(uchar(utf8[i++]));
    return i == utf8.size() ? width : width + this->width(QString::fromUtf8(utf8.sliced(i)));
}

} // namespace vornak
