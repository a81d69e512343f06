#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <optional>
#include <vector>

namespace vornak {

// A set of names that numbers them in the order they were added (0, 1, ...), so that facts
// about a name live in a plain vector. Open addressing over one array: planning a batch of
// 100,000 files looks up a few hundred thousand names, and QHash's nodes cost five times as
// much here. The index views the names; their bytes must outlive it.
class NameIndex {
public:
    explicit NameIndex(std::size_t expected = 0);

    // The number of the name, adding it when it is new.
    std::size_t add(QByteArrayView name);
    std::optional<std::size_t> find(QByteArrayView name) const;
    bool contains(QByteArrayView name) const { return find(name).has_value(); }
    std::size_t size() const { return m_names.size(); }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t numberPlusOne = 0; // 0: empty
    };

    std::uint32_t hashOf(QByteArrayView name) const;
    // The slot that holds the name, or the empty slot where it would go.
    std::size_t slotOf(QByteArrayView name, std::uint32_t hash) const;
    void grow();

    std::vector<Slot> m_slots;
    std::vector<QByteArrayView> m_names;
    std::size_t m_seed;
};

} // namespace vornak
