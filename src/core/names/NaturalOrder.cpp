#include "core/names/NaturalOrder.h"

#include <QChar>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

namespace vornak {

namespace {

// A digit run's key starts with the byte of "0": digits never appear as characters of their
// own in a key, so a run sorts where a "0" would among the other characters.
constexpr char kDigitRunTag = '0';

// Key bytes one UTF-16 unit can need at most: three bytes of UTF-8, or the five bytes a digit
// run adds (tag, two of digit count, two of leading-zero count) besides its digits.
constexpr std::size_t kMaxKeyBytesPerUnit = 6;

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char32_t foldedCodePoint(QStringView name, qsizetype& i)
{
    const char16_t c = name[i].unicode();
    ++i;
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char32_t(c + 32) : char32_t(c);
    char32_t codePoint = c;
    if (QChar::isHighSurrogate(c) && i < name.size() && name[i].isLowSurrogate()) {
        codePoint = QChar::surrogateToUcs4(c, name[i].unicode());
        ++i;
    }
    return QChar::toCaseFolded(codePoint);
}

// UTF-8 keeps the order of code points under a byte comparison, and takes one byte for the
// ASCII that most names are made of.
char* putUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

char* putCount(char* out, qsizetype count)
{
    *out++ = static_cast<char>((count >> 8) & 0xFF);
    *out++ = static_cast<char>(count & 0xFF);
    return out;
}

// Writes the key of name at out and returns its end; out must have room for
// kMaxKeyBytesPerUnit bytes per UTF-16 unit of name.
char* putKey(char* out, QStringView name)
{
    qsizetype i = 0;
    while (i < name.size()) {
        if (!isAsciiDigit(name[i].unicode())) {
            out = putUtf8(out, foldedCodePoint(name, i));
            continue;
        }
        qsizetype zeros = 0;
        while (name[i] == u'0' && i + 1 < name.size() && isAsciiDigit(name[i + 1].unicode())) {
            ++zeros;
            ++i;
        }
        const qsizetype start = i;
        while (i < name.size() && isAsciiDigit(name[i].unicode()))
            ++i;
        *out++ = kDigitRunTag;
        out = putCount(out, i - start);
        for (qsizetype d = start; d < i; ++d)
            *out++ = static_cast<char>(name[d].unicode());
        out = putCount(out, zeros);
    }
    return out;
}

int compareKeys(std::string_view a, std::string_view b)
{
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// One entry to sort: where its key lies, the eight key bytes that follow the prefix all keys
// share (most comparisons end on them), and where the entry stands now. Sorting these small
// records keeps the comparisons away from the keys and the entries themselves.
struct SortItem {
    const char* key;
    std::uint32_t keySize;
    std::uint32_t index;
    std::uint64_t head;

    std::string_view keyView() const { return {key, keySize}; }
};

// The key bytes from offset on as one big-endian number, padded with zero bytes, so that
// numbers compare as the bytes do; equal heads say nothing and need the whole keys.
std::uint64_t headAt(std::string_view key, std::size_t offset)
{
    std::uint64_t head = 0;
    for (std::size_t i = offset; i < offset + 8; ++i)
        head = (head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0U);
    return head;
}

std::size_t commonPrefixSize(const std::vector<SortItem>& items)
{
    if (items.empty())
        return 0;
    const std::string_view first = items.front().keyView();
    std::size_t common = first.size();
    for (const SortItem& item : items) {
        const std::string_view key = item.keyView();
        const std::size_t limit = std::min(common, key.size());
        std::size_t same = 0;
        while (same < limit && key[same] == first[same])
            ++same;
        common = same;
    }
    return common;
}

} // namespace

void sortNaturally(NameList& names)
{
    // All keys live in one buffer, written in place: one allocation instead of one per name.
    // A byte of a name gives at most one UTF-16 unit; only the bytes the keys take are touched.
    std::size_t nameBytes = 0;
    for (std::size_t i = 0; i < names.size(); ++i)
        nameBytes += std::size_t(names.bytesAt(i).size());
    const auto keys = std::make_unique_for_overwrite<char[]>(nameBytes * kMaxKeyBytesPerUnit);

    std::vector<SortItem> items;
    items.reserve(names.size());
    char* out = keys.get();
    for (std::size_t i = 0; i < names.size(); ++i) {
        char* end = putKey(out, names.displayNameAt(i));
        items.push_back(
            {out, static_cast<std::uint32_t>(end - out), static_cast<std::uint32_t>(i), 0});
        out = end;
    }
    const std::size_t common = commonPrefixSize(items);
    for (SortItem& item : items)
        item.head = headAt(item.keyView(), common);

    const auto bytesOf = [&names](std::uint32_t index) {
        const QByteArrayView bytes = names.bytesAt(index);
        return std::string_view(bytes.data(), std::size_t(bytes.size()));
    };
    std::sort(items.begin(), items.end(), [&bytesOf](const SortItem& a, const SortItem& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const int c = compareKeys(a.keyView(), b.keyView());
        return c != 0 ? c < 0 : bytesOf(a.index) < bytesOf(b.index);
    });

    std::vector<std::uint32_t> order;
    order.reserve(items.size());
    for (const SortItem& item : items)
        order.push_back(item.index);
    names.reorder(order);
}

} // namespace vornak
