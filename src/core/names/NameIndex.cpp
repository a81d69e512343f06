#include "core/names/NameIndex.h"

#include <QHashFunctions>

#include <bit>

namespace vornak {

namespace {

// At most half of the slots are used, so that a probe ends soon.
std::size_t slotsFor(std::size_t names)
{
    return std::bit_ceil(std::max<std::size_t>(16, 2 * names));
}

} // namespace

NameIndex::NameIndex(std::size_t expected)
    : m_slots(slotsFor(expected)), m_seed(QHashSeed::globalSeed())
{
    m_names.reserve(expected);
}

std::uint32_t NameIndex::hashOf(QByteArrayView name) const
{
    return static_cast<std::uint32_t>(qHash(name, m_seed));
}

std::size_t NameIndex::slotOf(QByteArrayView name, std::uint32_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.numberPlusOne == 0 ||
            (slot.hash == hash && m_names[slot.numberPlusOne - 1] == name))
            return at;
    }
}

std::size_t NameIndex::add(QByteArrayView name)
{
    const std::uint32_t hash = hashOf(name);
    std::size_t at = slotOf(name, hash);
    if (m_slots[at].numberPlusOne != 0)
        return m_slots[at].numberPlusOne - 1;
    if (2 * (m_names.size() + 1) > m_slots.size()) {
        grow();
        at = slotOf(name, hash);
    }
    m_names.push_back(name);
    m_slots[at] = {hash, static_cast<std::uint32_t>(m_names.size())};
    return m_names.size() - 1;
}

std::optional<std::size_t> NameIndex::find(QByteArrayView name) const
{
    const Slot& slot = m_slots[slotOf(name, hashOf(name))];
    if (slot.numberPlusOne == 0)
        return std::nullopt;
    return slot.numberPlusOne - 1;
}

void NameIndex::grow()
{
    std::vector<Slot> old(slotsFor(m_names.size() + 1));
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.numberPlusOne == 0)
            continue;
        std::size_t at = slot.hash & mask;
        while (m_slots[at].numberPlusOne != 0)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

} // namespace vornak
