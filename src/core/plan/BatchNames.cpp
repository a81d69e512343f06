#include "core/plan/BatchNames.h"

#include "core/jobs/RowShares.h"
#include "core/names/NameText.h"

#include <QHashFunctions>

#include <bit>

namespace vornak {

BatchNames::BatchNames(std::span<const WantedName> wanted, bool caseInsensitive)
    : m_wanted(wanted), m_seed(QHashSeed::globalSeed())
{
    // Every entry adds at most two names; at most half the slots are used, so probes end soon.
    m_slots.resize(std::bit_ceil(std::max<std::size_t>(16, 4 * wanted.size())));
    m_holders.reserve(2 * wanted.size());
    if (caseInsensitive)
        m_folded.resize(2 * wanted.size());
    // Folding and hashing read every name, scattered in memory: that is shared out among the
    // cores, and the table itself is then built from the hashes alone.
    m_hashes.resize(2 * wanted.size());
    rowShares(wanted.size(), [&](std::size_t, std::size_t first, std::size_t last) {
        for (std::size_t entry = first; entry < last; ++entry) {
            if (caseInsensitive) {
                m_folded[2 * entry] = caseFoldedName(wanted[entry].oldName);
                m_folded[2 * entry + 1] = caseFoldedName(wanted[entry].newName);
            }
            m_hashes[2 * entry] = hashOf(oldKey(entry));
            m_hashes[2 * entry + 1] = hashOf(wantedKey(entry));
        }
    });
}

std::uint32_t BatchNames::hashOf(QByteArrayView key) const
{
    return static_cast<std::uint32_t>(qHash(key, m_seed));
}

QByteArrayView BatchNames::oldKey(std::size_t entry) const
{
    return m_folded.empty() ? m_wanted[entry].oldName : QByteArrayView(m_folded[2 * entry]);
}

QByteArrayView BatchNames::wantedKey(std::size_t entry) const
{
    return m_folded.empty() ? m_wanted[entry].newName : QByteArrayView(m_folded[2 * entry + 1]);
}

BatchNames::Holders& BatchNames::oldName(std::size_t entry)
{
    return holdersOf(oldKey(entry), m_hashes[2 * entry],
                     {static_cast<std::uint32_t>(entry), kNoEntry});
}

BatchNames::Holders& BatchNames::wantedName(std::size_t entry)
{
    return holdersOf(wantedKey(entry), m_hashes[2 * entry + 1],
                     {kNoEntry, static_cast<std::uint32_t>(entry)});
}

bool BatchNames::holds(QByteArrayView name) const
{
    const QByteArray folded = m_folded.empty() ? QByteArray() : caseFoldedName(name);
    const QByteArrayView key = m_folded.empty() ? name : QByteArrayView(folded);
    return m_slots[slotOf(key, hashOf(key))].number != 0;
}

std::size_t BatchNames::slotOf(QByteArrayView key, std::uint32_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.number == 0)
            return at;
        if (slot.hash != hash)
            continue;
        const Holders& holders = m_holders[slot.number - 1];
        const QByteArrayView slotKey =
            holders.current != kNoEntry ? oldKey(holders.current) : wantedKey(holders.firstWanting);
        if (slotKey == key)
            return at;
    }
}

BatchNames::Holders& BatchNames::holdersOf(QByteArrayView key, std::uint32_t hash, Holders added)
{
    Slot& slot = m_slots[slotOf(key, hash)];
    if (slot.number == 0) {
        m_holders.push_back(added);
        slot = {hash, static_cast<std::uint32_t>(m_holders.size())};
    }
    return m_holders[slot.number - 1];
}

} // namespace vornak
