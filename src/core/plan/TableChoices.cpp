#include "core/plan/TableChoices.h"

#include <algorithm>
#include <numeric>

namespace vornak {

QByteArray fileKey(QByteArrayView folder, QByteArrayView name)
{
    if (folder.isEmpty())
        return name.toByteArray();
    QByteArray key;
    key.reserve(folder.size() + 1 + name.size());
    key.append(folder).append('/').append(name);
    return key;
}

EntryChoices entryChoices(const TableChoices& choices, QByteArrayView folder,
                          const NameList& entries)
{
    const std::size_t count = entries.size();
    EntryChoices chosen;
    if (!choices.isEmpty()) {
        if (!choices.unticked.isEmpty())
            chosen.unticked.assign(count, 0);
        if (!choices.manualNames.isEmpty())
            chosen.manualNames.resize(count);
        for (std::size_t entry = 0; entry < count; ++entry) {
            const QByteArray key = fileKey(folder, entries.bytesAt(entry));
            if (!chosen.unticked.empty())
                chosen.unticked[entry] = choices.unticked.contains(key);
            if (!chosen.manualNames.empty()) {
                const auto manual = choices.manualNames.constFind(key);
                if (manual != choices.manualNames.cend())
                    chosen.manualNames[entry] = *manual;
            }
        }
    }
    const TableSort sort = choices.sort;
    if (sort.key != SortKey::Rules) {
        chosen.order.resize(count);
        std::iota(chosen.order.begin(), chosen.order.end(), 0u);
        if (sort.descending && sort.key != SortKey::Folder)
            std::reverse(chosen.order.begin(), chosen.order.end());
    }
    return chosen;
}

void keepChoicesOf(TableChoices& choices, const QSet<QByteArray>& keys)
{
    choices.unticked.removeIf([&](const QByteArray& key) { return !keys.contains(key); });
    choices.manualNames.removeIf(
        [&](const QHash<QByteArray, QByteArray>::iterator it) { return !keys.contains(it.key()); });
}

} // namespace vornak
