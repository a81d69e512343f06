#pragma once

#include "core/names/NameList.h"

#include <QByteArray>
#include <QHash>
#include <QSet>

#include <cstdint>
#include <optional>
#include <vector>

namespace vornak {

// What a click on a column header of the batch preview numbers the batch by. Files are listed
// in the natural order of their names, so by place and by name the batch goes in list order,
// or in reverse; by folder, a tree's folders go in their order, or in reverse, each in list
// order.
enum class SortKey : std::uint8_t { Rules, Place, Folder, Name };

struct TableSort {
    SortKey key = SortKey::Rules;
    bool descending = false;

    friend bool operator==(TableSort, TableSort) = default;
};

// What the user chose in the batch preview's table beyond the rules, each file known by its
// path below the folder shown (see fileKey), so that a choice follows its file through a new
// plan. Never part of a rule set: it belongs to these files.
struct TableChoices {
    QSet<QByteArray> unticked;                 // left out of the batch: they keep their names
    QHash<QByteArray, QByteArray> manualNames; // typed in the table, in place of the rules'
    TableSort sort;

    bool isEmpty() const { return unticked.isEmpty() && manualNames.isEmpty(); }
};

// The choices for one folder's entries, per entry, as planRuleBatch takes them.
struct EntryChoices {
    std::vector<char> unticked;                         // per entry; empty: all ticked
    std::vector<std::optional<QByteArray>> manualNames; // per entry; empty: none
    // The entries in the order they are numbered; empty: the rules' numbering order.
    std::vector<std::uint32_t> order;
};

// The key a file is known by: its path below the folder shown ("" for that folder itself).
QByteArray fileKey(QByteArrayView folder, QByteArrayView name);

// The choices for the entries of one folder, below the folder shown. Linear in the entries.
EntryChoices entryChoices(const TableChoices& choices, QByteArrayView folder,
                          const NameList& entries);

// Whether the sort puts a tree's folders in reverse.
constexpr bool reversesFolders(TableSort sort)
{
    return sort.descending && (sort.key == SortKey::Place || sort.key == SortKey::Folder);
}

// Forgets the choices of files that are no longer among keys.
void keepChoicesOf(TableChoices& choices, const QSet<QByteArray>& keys);

} // namespace vornak
