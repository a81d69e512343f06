#include "core/run/JournalFormat.h"

#include "core/plan/RenamePlan.h"

#include <array>
#include <charconv>
#include <cstring>

namespace vornak::journal {

namespace {

constexpr QByteArrayView kMagic = "vornak-rename-journal 1\n";
constexpr QByteArrayView kFolder = "folder ";
constexpr QByteArrayView kSteps = "steps ";
constexpr QByteArrayView kEnd = "end\n";
constexpr QByteArrayView kEndComplete = "end\ncomplete\n";
constexpr QByteArrayView kStartedTail = "\nend\n";
constexpr QByteArrayView kCompleteTail = "\nend\ncomplete\n";
constexpr QByteArrayView kNoIdentity = "-";
constexpr char kHex[] = "0123456789ABCDEF";

bool escaped(uchar byte)
{
    return byte <= ' ' || byte == '%' || byte == 0x7f;
}

// Writes into room already made in the text: a run of 100,000 steps is written byte by byte,
// and a check of the text's capacity at every byte would cost more than the encoding.
class Cursor {
public:
    Cursor(QByteArray& text, qsizetype mostBytes) : m_text(text), m_start(text.size())
    {
        m_text.resize(m_start + mostBytes);
        m_at = m_text.data() + m_start;
    }
    ~Cursor() { m_text.truncate(m_at - m_text.constData()); }
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    void put(char byte) { *m_at++ = byte; }
    void put(QByteArrayView bytes)
    {
        std::memcpy(m_at, bytes.data(), std::size_t(bytes.size()));
        m_at += bytes.size();
    }
    void putEncoded(QByteArrayView bytes)
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
    template <typename Number> void putNumber(Number number)
    {
        m_at = std::to_chars(m_at, m_at + kLongestNumber, number).ptr;
    }

    static constexpr qsizetype kLongestNumber = 20;
    static constexpr qsizetype encodedRoom(QByteArrayView bytes) { return 3 * bytes.size(); }

private:
    QByteArray& m_text;
    qsizetype m_start;
    char* m_at = nullptr;
};

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

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

template <typename Number> std::optional<Number> number(QByteArrayView field)
{
    Number value{};
    const auto [end, error] = std::from_chars(field.begin(), field.end(), value);
    if (error != std::errc() || end != field.end() || field.isEmpty())
        return std::nullopt;
    return value;
}

// Reads the text line by line; each line is handed out without its line break.
class Lines {
public:
    explicit Lines(QByteArrayView text) : m_text(text) {}

    std::optional<QByteArrayView> next()
    {
        const qsizetype end = m_text.indexOf('\n', m_at);
        if (end < 0)
            return std::nullopt;
        const QByteArrayView line = m_text.sliced(m_at, end - m_at);
        m_at = end + 1;
        return line;
    }
    QByteArrayView rest() const { return m_text.sliced(m_at); }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

std::optional<JournalHeader> readHeader(Lines& lines)
{
    const auto magic = lines.next();
    const auto folderLine = lines.next();
    const auto stepsLine = lines.next();
    if (!stepsLine || *magic != kMagic.chopped(1) || !folderLine->startsWith(kFolder) ||
        !stepsLine->startsWith(kSteps))
        return std::nullopt;
    auto folder = decoded(folderLine->sliced(kFolder.size()));
    const auto steps = number<std::size_t>(stepsLine->sliced(kSteps.size()));
    if (!folder || folder->isEmpty() || !steps)
        return std::nullopt;
    return JournalHeader{std::move(*folder), *steps};
}

constexpr std::size_t kMostFields = 6;
using Fields = std::array<QByteArrayView, kMostFields>;

// Splits a step line at its spaces; nothing for a line of too many fields.
std::optional<std::size_t> splitFields(QByteArrayView line, Fields& fields)
{
    std::size_t count = 0;
    for (qsizetype from = 0;; ++count) {
        const qsizetype space = line.indexOf(' ', from);
        if (count == kMostFields)
            return std::nullopt;
        fields[count] = line.sliced(from, (space < 0 ? line.size() : space) - from);
        if (space < 0)
            return count + 1;
        from = space + 1;
    }
}

std::optional<FileIdentity> readIdentity(const Fields& fields)
{
    const auto device = number<quint64>(fields[2]);
    const auto inode = number<quint64>(fields[3]);
    const auto size = number<qint64>(fields[4]);
    const auto modified = number<qint64>(fields[5]);
    if (!device || !inode || !size || !modified)
        return std::nullopt;
    return FileIdentity{*device, *inode, *size, *modified};
}

std::optional<JournalStep> readStep(QByteArrayView line)
{
    Fields fields;
    const auto count = splitFields(line, fields);
    if (count != 3u && count != kMostFields)
        return std::nullopt;
    auto oldName = decoded(fields[0]);
    auto newName = decoded(fields[1]);
    if (!oldName || !newName || !isEntryName(*oldName) || !isEntryName(*newName))
        return std::nullopt;
    JournalStep step{std::move(*oldName), std::move(*newName), std::nullopt};
    if (count == 3u)
        return fields[2] == kNoIdentity ? std::optional(std::move(step)) : std::nullopt;
    step.identity = readIdentity(fields);
    return step.identity ? std::optional(std::move(step)) : std::nullopt;
}

} // namespace

void appendHeader(QByteArray& text, QByteArrayView folder, std::size_t steps)
{
    Cursor cursor(text, kMagic.size() + kFolder.size() + Cursor::encodedRoom(folder) +
                            kSteps.size() + Cursor::kLongestNumber + 2);
    cursor.put(kMagic);
    cursor.put(kFolder);
    cursor.putEncoded(folder);
    cursor.put('\n');
    cursor.put(kSteps);
    cursor.putNumber(steps);
    cursor.put('\n');
}

void appendStep(QByteArray& text, QByteArrayView oldName, QByteArrayView newName,
                const std::optional<FileIdentity>& identity)
{
    Cursor cursor(text, Cursor::encodedRoom(oldName) + Cursor::encodedRoom(newName) +
                            4 * (Cursor::kLongestNumber + 1) + 2);
    cursor.putEncoded(oldName);
    cursor.put(' ');
    cursor.putEncoded(newName);
    cursor.put(' ');
    if (!identity) {
        cursor.put(kNoIdentity);
    } else {
        cursor.putNumber(identity->device);
        cursor.put(' ');
        cursor.putNumber(identity->inode);
        cursor.put(' ');
        cursor.putNumber(identity->size);
        cursor.put(' ');
        cursor.putNumber(identity->modifiedNs);
    }
    cursor.put('\n');
}

void appendEnd(QByteArray& text)
{
    text.append(kEnd);
}

std::optional<JournalHeader> parseHeader(QByteArrayView head)
{
    Lines lines(head);
    return readHeader(lines);
}

JournalState stateOf(QByteArrayView tail)
{
    if (tail.endsWith(kCompleteTail))
        return JournalState::Complete;
    if (tail.endsWith(kStartedTail))
        return JournalState::Started;
    return JournalState::Unfinished;
}

std::optional<JournalContent> parseJournal(QByteArrayView text)
{
    Lines lines(text);
    auto header = readHeader(lines);
    if (!header || stateOf(text) == JournalState::Unfinished)
        return std::nullopt;
    JournalContent content{std::move(header->folder), {}};
    content.steps.reserve(header->steps);
    for (std::size_t i = 0; i < header->steps; ++i) {
        const auto line = lines.next();
        auto step = line ? readStep(*line) : std::nullopt;
        if (!step)
            return std::nullopt;
        content.steps.push_back(std::move(*step));
    }
    const QByteArrayView rest = lines.rest();
    if (rest != kEnd && rest != kEndComplete)
        return std::nullopt;
    return content;
}

} // namespace vornak::journal
