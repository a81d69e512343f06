#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vornak {

// Names of folder entries as the exact bytes the file system holds, kept back to back in one
// buffer: listing a folder of 100,000 files costs a few allocations, not two per name.
class NameList {
public:
    void append(QByteArrayView name);
    std::size_t size() const { return m_spans.size(); }
    bool empty() const { return m_spans.empty(); }
    QByteArrayView bytesAt(std::size_t index) const
    {
        const Span& span = m_spans[index];
        return {m_bytes.data() + span.offset, qsizetype(span.size)};
    }
    QByteArray nameAt(std::size_t index) const { return bytesAt(index).toByteArray(); }
    // The text the user sees; bytes that are not UTF-8 show as replacement characters.
    QString displayNameAt(std::size_t index) const { return QString::fromUtf8(bytesAt(index)); }
    // Puts the names in this order: order[k] is the index of the name that comes k-th.
    void reorder(std::span<const std::uint32_t> order);

    // The same names, byte for byte, in the same order.
    friend bool operator==(const NameList& one, const NameList& other);

private:
    struct Span {
        std::size_t offset;
        std::size_t size;
    };

    std::string m_bytes;
    std::vector<Span> m_spans;
};

} // namespace vornak
