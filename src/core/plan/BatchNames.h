#pragma once

#include "core/plan/RenamePlan.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vornak {

// The names of a batch, old and wanted, as its folder compares them (exactly, or with letter
// case folded), each with the entry that has it now and the first entry that wants it. A name
// is known by those entries, so the table keeps no copy or view of it: open addressing over 8
// bytes a slot, since what planning 100,000 files costs is the memory it touches at random.
class BatchNames {
public:
    static constexpr std::uint32_t kNoEntry = static_cast<std::uint32_t>(-1);

    struct Holders {
        std::uint32_t current = kNoEntry;
        std::uint32_t firstWanting = kNoEntry;
    };

    // At most 2^32 - 1 entries.
    BatchNames(std::span<const WantedName> wanted, bool caseInsensitive);

    // The holders of the entry's current name; a name met here first is the entry's.
    Holders& oldName(std::size_t entry);
    // The holders of the name the entry wants; a name met here first is wanted by the entry.
    Holders& wantedName(std::size_t entry);
    // Whether an entry has the name now or is to receive it, as far as the names met so far
    // tell.
    bool holds(QByteArrayView name) const;

private:
    // A used slot numbers its name; the number counts from 1, 0 marks an empty slot.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t number = 0;
    };

    QByteArrayView oldKey(std::size_t entry) const;
    QByteArrayView wantedKey(std::size_t entry) const;
    std::uint32_t hashOf(QByteArrayView key) const;
    Holders& holdersOf(QByteArrayView key, std::uint32_t hash, Holders added);
    // The slot of the key, or the empty slot where it would go.
    std::size_t slotOf(QByteArrayView key, std::uint32_t hash) const;

    std::span<const WantedName> m_wanted;
    // Case-folded old and wanted names, in turn; empty where names compare exactly.
    std::vector<QByteArray> m_folded;
    std::vector<std::uint32_t> m_hashes; // of the old and wanted keys, in turn
    std::vector<Slot> m_slots;
    std::vector<Holders> m_holders; // by number
    std::size_t m_seed;
};

} // namespace vornak
