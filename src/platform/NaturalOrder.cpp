#include "NaturalOrder.h"

#include <QChar>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>

namespace vornak {

namespace {

constexpr char32_t kDigitRunTag = U'0';

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

void appendCodePoint(std::string& key, char32_t c)
{
    key.push_back(static_cast<char>((c >> 16) & 0xFF));
    key.push_back(static_cast<char>((c >> 8) & 0xFF));
    key.push_back(static_cast<char>(c & 0xFF));
}

void appendCount(std::string& key, qsizetype count)
{
    key.push_back(static_cast<char>((count >> 8) & 0xFF));
    key.push_back(static_cast<char>(count & 0xFF));
}

char32_t foldedCodePoint(QStringView name, qsizetype& i)
{
    const char16_t c = name[i].unicode();
    if (c < 0x80) {
        ++i;
        return (c >= u'A' && c <= u'Z') ? char32_t(c + 32) : char32_t(c);
    }
    char32_t codePoint = c;
    if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
        codePoint = QChar::surrogateToUcs4(c, name[i + 1].unicode());
        ++i;
    }
    ++i;
    return QChar::toCaseFolded(codePoint);
}

// Appends the key of name to key; digit runs become tag, length, digits, leading zeros.
void appendKey(std::string& key, QStringView name)
{
    qsizetype i = 0;
    while (i < name.size()) {
        if (!isAsciiDigit(name[i].unicode())) {
            appendCodePoint(key, foldedCodePoint(name, i));
            continue;
        }
        qsizetype zeros = 0;
        while (i < name.size() && name[i] == u'0' && i + 1 < name.size() &&
               isAsciiDigit(name[i + 1].unicode())) {
            ++zeros;
            ++i;
        }
        const qsizetype start = i;
        while (i < name.size() && isAsciiDigit(name[i].unicode()))
            ++i;
        appendCodePoint(key, kDigitRunTag);
        appendCount(key, i - start);
        for (qsizetype d = start; d < i; ++d)
            key.push_back(static_cast<char>(name[d].unicode()));
        appendCount(key, zeros);
    }
}

int compareBytes(std::string_view a, std::string_view b)
{
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool lessByKey(std::string_view keyA, std::string_view keyB, const FileEntry& a, const FileEntry& b)
{
    const int c = compareBytes(keyA, keyB);
    return c != 0 ? c < 0 : a.name < b.name;
}

} // namespace

bool naturalLess(const FileEntry& a, const FileEntry& b)
{
    std::string keyA;
    std::string keyB;
    appendKey(keyA, a.displayName);
    appendKey(keyB, b.displayName);
    return lessByKey(keyA, keyB, a, b);
}

void sortNaturally(std::vector<FileEntry>& entries)
{
    // All keys live in one buffer: one allocation instead of one per name.
    std::string keys;
    std::vector<std::size_t> offsets;
    offsets.reserve(entries.size() + 1);
    for (const FileEntry& entry : entries) {
        offsets.push_back(keys.size());
        appendKey(keys, entry.displayName);
    }
    offsets.push_back(keys.size());
    const auto keyOf = [&](std::size_t i) {
        return std::string_view(keys).substr(offsets[i], offsets[i + 1] - offsets[i]);
    };

    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return lessByKey(keyOf(a), keyOf(b), entries[a], entries[b]);
    });

    std::vector<FileEntry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}

} // namespace vornak
