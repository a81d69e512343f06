#include "texts/PlanFormat.h"

#include <QList>

#include <array>

namespace vornak {

namespace {

// The columns' names, untranslated: they name the fields of a file format.
constexpr std::array kColumns = {
    QT_TRANSLATE_NOOP("PlanFormat", "序号"), QT_TRANSLATE_NOOP("PlanFormat", "文件夹"),
    QT_TRANSLATE_NOOP("PlanFormat", "原文件名"), QT_TRANSLATE_NOOP("PlanFormat", "新文件名"),
    QT_TRANSLATE_NOOP("PlanFormat", "状态")};

bool isContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at the start of bytes; 0 when it does not start one.
qsizetype utf8SequenceLength(QByteArrayView bytes)
{
    const auto lead = static_cast<unsigned char>(bytes.front());
    if (lead < 0x80)
        return 1;
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || bytes.size() < length)
        return 0;
    for (qsizetype k = 1; k < length; ++k) {
        if (!isContinuation(bytes[k]))
            return 0;
    }
    const auto second = static_cast<unsigned char>(bytes[1]);
    // Overlong forms, UTF-16 surrogates and code points beyond U+10FFFF.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    for (qsizetype k = 0; k < bytes.size();) {
        const qsizetype length = utf8SequenceLength(bytes.sliced(k));
        if (length == 0)
            return false;
        k += length;
    }
    return true;
}

QByteArray escapedField(QByteArrayView field)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray text;
    text.reserve(field.size());
    for (qsizetype k = 0; k < field.size();) {
        const char byte = field[k];
        const qsizetype length = utf8SequenceLength(field.sliced(k));
        if (length == 0) {
            const auto value = static_cast<unsigned char>(byte);
            text.append("\\x").append(kHex[value >> 4]).append(kHex[value & 0xF]);
        } else if (byte == '\t') {
            text.append("\\t");
        } else if (byte == '\n') {
            text.append("\\n");
        } else if (byte == '\r') {
            text.append("\\r");
        } else if (byte == '\\') {
            text.append("\\\\");
        } else {
            text.append(field.sliced(k, length));
        }
        k += length == 0 ? 1 : length;
    }
    return text;
}

std::optional<QByteArray> unescapedField(QByteArrayView text)
{
    QByteArray field;
    field.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k] != '\\') {
            field.append(text[k]);
            continue;
        }
        if (++k == text.size())
            return std::nullopt;
        switch (text[k]) {
        case 't':
            field.append('\t');
            break;
        case 'n':
            field.append('\n');
            break;
        case 'r':
            field.append('\r');
            break;
        case '\\':
            field.append('\\');
            break;
        case 'x': {
            const int high = k + 2 < text.size() ? hexValue(text[k + 1]) : -1;
            const int low = high < 0 ? -1 : hexValue(text[k + 2]);
            if (low < 0)
                return std::nullopt;
            field.append(static_cast<char>(high * 16 + low));
            k += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return field;
}

QByteArray planHeader()
{
    QByteArray header;
    for (const char* column : kColumns)
        header.append(header.isEmpty() ? "" : "\t").append(column);
    return header;
}

bool isPlanHeader(QByteArrayView text)
{
    return text == planHeader();
}

QByteArray planLineText(const PlanLine& line)
{
    return escapedField(line.number) + '\t' + escapedField(line.folder) + '\t' +
           escapedField(line.oldName) + '\t' + escapedField(line.newName) + '\t' +
           escapedField(line.status);
}

std::optional<PlanLine> readPlanLine(QByteArrayView text)
{
    const QList<QByteArray> fields = text.toByteArray().split('\t');
    if (fields.size() != qsizetype(kColumns.size()))
        return std::nullopt;
    std::array<QByteArray, kColumns.size()> values;
    for (std::size_t k = 0; k < values.size(); ++k) {
        std::optional<QByteArray> value = unescapedField(fields[qsizetype(k)]);
        if (!value)
            return std::nullopt;
        values[k] = std::move(*value);
    }
    return PlanLine{values[0], values[1], values[2], values[3], values[4]};
}

} // namespace vornak
