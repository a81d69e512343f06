#include "core/names/NameText.h"

namespace vornak {

namespace {

// Bytes 0x80 to 0xFF that are not part of valid UTF-8 become U+10FF80 to U+10FFFF, the last
// code points of the last private-use plane.
constexpr char32_t kEscapeBase = 0x10FF00;
constexpr char32_t kFirstEscape = kEscapeBase + 0x80;
// Every escape code point is a surrogate pair with this high half.
constexpr char16_t kEscapeHighSurrogate = 0xDBFF;

bool isEscape(char32_t c)
{
    return c >= kFirstEscape && c <= 0x10FFFF;
}

unsigned char byteAt(QByteArrayView name, qsizetype i)
{
    return static_cast<unsigned char>(name[i]);
}

// The length of the valid UTF-8 sequence at i and its code point; 0 when none starts there
// (a stray or truncated byte, an overlong form, a surrogate, or a value beyond U+10FFFF).
qsizetype sequenceAt(QByteArrayView name, qsizetype i, char32_t& codePoint)
{
    const unsigned char lead = byteAt(name, i);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    qsizetype length = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > name.size())
        return 0;
    for (qsizetype k = 1; k < length; ++k) {
        const unsigned char next = byteAt(name, i + k);
        if ((next & 0xC0u) != 0x80u)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

void appendCodePoint(QString& text, char32_t c)
{
    if (c < 0x10000) {
        text.append(QChar(static_cast<char16_t>(c)));
        return;
    }
    text.append(QChar(QChar::highSurrogate(c)));
    text.append(QChar(QChar::lowSurrogate(c)));
}

bool isAscii(QByteArrayView name)
{
    for (char c : name) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Whether the character that starts at i of name could fold to one in ASCII, as the Kelvin
// sign folds to k: the other name has an ASCII character there, the names agree before it, and
// only such a character lets them still be alike. Bytes that start no character say yes, and
// leave it to the whole comparison.
bool mayFoldToAscii(QByteArrayView name, qsizetype i)
{
    char32_t c = 0;
    if (sequenceAt(name, i, c) == 0)
        return true;
    const QString folded = QString::fromUcs4(&c, 1).toCaseFolded();
    return !folded.isEmpty() && folded.front().unicode() < 0x80;
}

} // namespace

QString decodeName(QByteArrayView name)
{
    // "\xF4\x8F" leads the UTF-8 of every escape code point.
    if (name.isValidUtf8() && !name.contains("\xF4\x8F"))
        return QString::fromUtf8(name);
    QString text;
    text.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        char32_t c = 0;
        const qsizetype length = sequenceAt(name, i, c);
        if (length > 0 && !isEscape(c)) {
            appendCodePoint(text, c);
            i += length;
            continue;
        }
        for (const qsizetype end = i + (length > 0 ? length : 1); i < end; ++i)
            appendCodePoint(text, kEscapeBase + byteAt(name, i));
    }
    return text;
}

QByteArray encodeName(const QString& text)
{
    if (!text.contains(QChar(kEscapeHighSurrogate)))
        return text.toUtf8();
    QByteArray name;
    name.reserve(text.size() * 3);
    const QStringView view(text);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i + 1 < view.size(); ++i) {
        if (view[i].unicode() != kEscapeHighSurrogate || !view[i + 1].isLowSurrogate())
            continue;
        const char32_t c = QChar::surrogateToUcs4(view[i], view[i + 1]);
        if (!isEscape(c))
            continue;
        name.append(view.sliced(runStart, i - runStart).toUtf8());
        name.append(static_cast<char>(c - kEscapeBase));
        runStart = ++i + 1;
    }
    name.append(view.sliced(runStart).toUtf8());
    return name;
}

QString escapedName(QByteArrayView name)
{
    QString text;
    text.reserve(name.size() * 2);
    for (qsizetype i = 0; i < name.size();) {
        char32_t c = 0;
        const qsizetype length = sequenceAt(name, i, c);
        if (length > 0) {
            appendCodePoint(text, c);
            i += length;
            continue;
        }
        // Only bytes from 0x80 on can be out of place: always two digits.
        text.append(u"\\x").append(QString::number(byteAt(name, i++), 16).toUpper());
    }
    return text;
}

QByteArray caseFoldedName(QByteArrayView name)
{
    if (!isAscii(name))
        return encodeName(decodeName(name).toCaseFolded());
    QByteArray folded(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i)
        folded[i] = asciiLower(name[i]);
    return folded;
}

bool differsOnlyInCase(QByteArrayView a, QByteArrayView b)
{
    if (a == b)
        return false;
    // Most names differ in an ASCII letter that no case folding could match: decide those
    // without decoding.
    qsizetype i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        if (a[i] == b[i])
            continue;
        if ((byteAt(a, i) | byteAt(b, i)) >= 0x80) {
            const bool asciiInA = byteAt(a, i) < 0x80;
            if (asciiInA != (byteAt(b, i) < 0x80) && !mayFoldToAscii(asciiInA ? b : a, i))
                return false;
            return decodeName(a).toCaseFolded() == decodeName(b).toCaseFolded();
        }
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    if (i < a.size() || i < b.size())
        return decodeName(a).toCaseFolded() == decodeName(b).toCaseFolded();
    return true;
}

qsizetype utf16Length(QByteArrayView name)
{
    qsizetype units = 0;
    for (qsizetype i = 0; i < name.size();) {
        char32_t c = 0;
        const qsizetype length = sequenceAt(name, i, c);
        units += c >= 0x10000 && length > 0 ? 2 : 1;
        i += length > 0 ? length : 1;
    }
    return units;
}

qsizetype baseNameEnd(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name.size() : dot;
}

} // namespace vornak
