#include "RenamePlan.h"

#include <QHash>

#include <algorithm>

namespace vornak {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

} // namespace

bool isEntryName(QByteArrayView name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0');
}

std::vector<Rename> planRenames(std::vector<Rename> wanted)
{
    std::erase_if(wanted, [](const Rename& rename) {
        return rename.newName == rename.oldName || !isEntryName(rename.newName);
    });
    const std::size_t count = wanted.size();

    QHash<QByteArrayView, std::size_t> byOldName;
    byOldName.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
        byOldName.insert(wanted[i].oldName, i);

    // Each file's waiters, the renames onto its current name, linked in list order.
    std::vector<std::size_t> firstWaiter(count, kNone);
    std::vector<std::size_t> nextWaiter(count, kNone);
    std::vector<bool> blocked(count, false);
    for (std::size_t i = count; i-- > 0;) {
        const auto blocker = byOldName.constFind(QByteArrayView(wanted[i].newName));
        if (blocker == byOldName.cend())
            continue;
        blocked[i] = true;
        nextWaiter[i] = firstWaiter[*blocker];
        firstWaiter[*blocker] = i;
    }

    // A file that has moved away frees its name. Its waiters that the list has passed follow
    // at once, the earliest first; later ones keep their place in the list.
    std::vector<std::size_t> order;
    order.reserve(count);
    std::vector<std::size_t> released;
    for (std::size_t position = 0; position < count; ++position) {
        if (blocked[position])
            continue;
        released.push_back(position);
        while (!released.empty()) {
            const std::size_t moved = released.back();
            released.pop_back();
            order.push_back(moved);
            const auto mark = static_cast<std::ptrdiff_t>(released.size());
            for (std::size_t w = firstWaiter[moved]; w != kNone; w = nextWaiter[w]) {
                blocked[w] = false;
                if (w < position)
                    released.push_back(w);
            }
            std::reverse(released.begin() + mark, released.end());
        }
    }

    std::vector<Rename> plan;
    plan.reserve(order.size());
    for (std::size_t i : order)
        plan.push_back(std::move(wanted[i]));
    return plan;
}

} // namespace vornak
