#include "core/names/NameList.h"

namespace vornak {

void NameList::append(QByteArrayView name)
{
    m_spans.push_back({m_bytes.size(), std::size_t(name.size())});
    m_bytes.append(name.data(), std::size_t(name.size()));
}

void NameList::reorder(std::span<const std::uint32_t> order)
{
    std::vector<Span> spans;
    spans.reserve(order.size());
    for (std::uint32_t index : order)
        spans.push_back(m_spans[index]);
    m_spans = std::move(spans);
}

bool operator==(const NameList& one, const NameList& other)
{
    if (one.size() != other.size())
        return false;
    for (std::size_t k = 0; k < one.size(); ++k) {
        if (one.bytesAt(k) != other.bytesAt(k))
            return false;
    }
    return true;
}

} // namespace vornak
