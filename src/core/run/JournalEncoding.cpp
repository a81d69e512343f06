#include "core/run/JournalEncoding.h"

namespace vornak::journal {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

} // namespace

std::optional<QByteArray> decoded(QByteArrayView field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char byte = field[i];
        if (byte == '%') {
            const int high = i + 2 < field.size() ? hexValue(field[i + 1]) : -1;
            const int low = high >= 0 ? hexValue(field[i + 2]) : -1;
            if (low < 0)
                return std::nullopt;
            bytes.append(static_cast<char>(high << 4 | low));
            i += 2;
        } else if (escaped(static_cast<uchar>(byte))) {
            return std::nullopt;
        } else {
            bytes.append(byte);
        }
    }
    return bytes;
}

Cursor::Cursor(QByteArray& text, qsizetype mostBytes) : m_text(text)
{
    const qsizetype start = m_text.size();
    m_text.resize(start + mostBytes);
    m_at = m_text.data() + start;
}

Cursor::~Cursor()
{
    m_text.truncate(m_at - m_text.constData());
}

void Cursor::putEncoded(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        const auto value = static_cast<uchar>(byte);
        if (escaped(value)) {
            m_at[0] = '%';
            m_at[1] = kHex[value >> 4];
            m_at[2] = kHex[value & 15];
            m_at += 3;
        } else {
            *m_at++ = byte;
        }
    }
}

void Cursor::putHex(quint64 number, int digits)
{
    for (int i = digits; i-- > 0; number >>= 4)
        m_at[i] = kHex[number & 15];
    m_at += digits;
}

} // namespace vornak::journal
