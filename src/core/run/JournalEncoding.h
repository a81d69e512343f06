#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <charconv>
#include <cstring>
#include <optional>

// The text both journal formats are made of: percent-encoded fields and numbers.
namespace vornak::journal {

inline bool escaped(uchar byte)
{
    return byte <= ' ' || byte == '%' || byte == 0x7f;
}

std::optional<QByteArray> decoded(QByteArrayView field);

template <typename Number> std::optional<Number> number(QByteArrayView field, int base = 10)
{
    Number value{};
    const auto [end, error] = std::from_chars(field.begin(), field.end(), value, base);
    if (error != std::errc() || end != field.end() || field.isEmpty())
        return std::nullopt;
    return value;
}

// Writes into room already made in the text: a run of 100,000 steps is written byte by byte,
// and a check of the text's capacity at every byte would cost more than the encoding.
class Cursor {
public:
    Cursor(QByteArray& text, qsizetype mostBytes);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    void put(char byte) { *m_at++ = byte; }
    void put(QByteArrayView bytes)
    {
        std::memcpy(m_at, bytes.data(), std::size_t(bytes.size()));
        m_at += bytes.size();
    }
    void putEncoded(QByteArrayView bytes);
    template <typename Number> void putNumber(Number number, int base = 10)
    {
        m_at = std::to_chars(m_at, m_at + kLongestNumber, number, base).ptr;
    }
    // Writes number as exactly digits hex digits.
    void putHex(quint64 number, int digits);
    char* at() const { return m_at; }
    void moveTo(char* at) { m_at = at; }

    static constexpr qsizetype kLongestNumber = 20;
    static constexpr qsizetype encodedRoom(QByteArrayView bytes) { return 3 * bytes.size(); }

private:
    QByteArray& m_text;
    char* m_at = nullptr;
};

// Splits a line at its spaces into at most Most fields; nothing for a line of more.
template <std::size_t Most> struct Fields {
    std::array<QByteArrayView, Most> at;
    std::size_t count = 0;

    static std::optional<Fields> of(QByteArrayView line)
    {
        Fields fields;
        for (qsizetype from = 0;; ++fields.count) {
            const qsizetype space = line.indexOf(' ', from);
            if (fields.count == Most)
                return std::nullopt;
            fields.at[fields.count] = line.sliced(from, (space < 0 ? line.size() : space) - from);
            if (space < 0) {
                ++fields.count;
                return fields;
            }
            from = space + 1;
        }
    }
};

} // namespace vornak::journal
