#include "core/plan/RenamePlan.h"

#include "core/names/NameIndex.h"
#include "core/names/NameText.h"
#include "core/plan/BatchNames.h"

#include <algorithm>

namespace vornak {

namespace {

// What a move waits on besides another move of the batch.
constexpr std::size_t kFree = static_cast<std::size_t>(-1);
constexpr std::size_t kNever = static_cast<std::size_t>(-2);

// The moves in the order they can be done. waitsOn[i] is the move whose file has the name
// move i wants, kFree when the name is free, kNever when move i is not to be done at all.
// Moves that never become free (a cycle, or a chain ending in kNever) are left out.
std::vector<std::size_t> orderMoves(const std::vector<std::size_t>& waitsOn)
{
    const std::size_t count = waitsOn.size();
    // Each file's waiters, the moves onto its current name, linked in list order.
    std::vector<std::size_t> firstWaiter(count, kFree);
    std::vector<std::size_t> nextWaiter(count, kFree);
    std::vector<bool> blocked(count, false);
    for (std::size_t i = count; i-- > 0;) {
        const std::size_t blocker = waitsOn[i];
        blocked[i] = blocker != kFree;
        if (blocker >= count)
            continue;
        nextWaiter[i] = firstWaiter[blocker];
        firstWaiter[blocker] = i;
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
            for (std::size_t w = firstWaiter[moved]; w != kFree; w = nextWaiter[w]) {
                blocked[w] = false;
                if (w < position)
                    released.push_back(w);
            }
            std::reverse(released.begin() + mark, released.end());
        }
    }
    return order;
}

bool isControl(QByteArrayView name, qsizetype i)
{
    const auto byte = static_cast<unsigned char>(name[i]);
    if (byte < 0x20 || byte == 0x7F)
        return true;
    // U+0080 to U+009F, the C1 controls.
    return byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
           static_cast<unsigned char>(name[i + 1]) <= 0x9F;
}

bool isAllowedName(QByteArrayView name)
{
    if (!isEntryName(name))
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isControl(name, i))
            return false;
    }
    return true;
}

bool isTooLong(QByteArrayView name, const FolderRules& folder)
{
    const qsizetype length =
        folder.lengthUnit == NameLengthUnit::Bytes ? name.size() : utf16Length(name);
    return length > folder.nameMax;
}

RenameStatus renamedStatus(const WantedName& entry)
{
    if (entry.newName.startsWith('.') && !entry.oldName.startsWith('.'))
        return RenameStatus::Hides;
    if (differsOnlyInCase(entry.oldName, entry.newName))
        return RenameStatus::CaseOnly;
    return RenameStatus::Change;
}

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

    NameIndex oldNames(count);
    std::vector<std::size_t> entryOf(count);
    for (std::size_t i = 0; i < count; ++i)
        entryOf[oldNames.add(wanted[i].oldName)] = i;
    std::vector<std::size_t> waitsOn(count, kFree);
    for (std::size_t i = 0; i < count; ++i) {
        if (const auto name = oldNames.find(wanted[i].newName))
            waitsOn[i] = entryOf[*name];
    }

    std::vector<Rename> plan;
    plan.reserve(count);
    for (std::size_t i : orderMoves(waitsOn))
        plan.push_back(std::move(wanted[i]));
    return plan;
}

std::vector<Rename> BatchPlan::renames(std::span<const WantedName> wanted) const
{
    std::vector<Rename> run;
    run.reserve(order.size());
    for (std::size_t i : order)
        run.push_back({wanted[i].oldName.toByteArray(), wanted[i].newName.toByteArray()});
    return run;
}

BatchPlan planBatch(std::span<const WantedName> wanted, const FolderRules& folder)
{
    const std::size_t count = wanted.size();
    BatchPlan plan;
    std::vector<RenameStatus>& statuses = plan.statuses;
    statuses.resize(count, RenameStatus::Change);

    // A rename not yet ruled out stays Change until the order is known.
    for (std::size_t i = 0; i < count; ++i) {
        const WantedName& entry = wanted[i];
        if (entry.newName == entry.oldName)
            statuses[i] = RenameStatus::Unchanged;
        else if (!isAllowedName(entry.newName))
            statuses[i] = RenameStatus::NameNotAllowed;
        else if (isTooLong(entry.newName, folder))
            statuses[i] = RenameStatus::NameTooLong;
    }

    BatchNames names(wanted, folder.caseInsensitive);
    // From the end, so that of equal old names the first entry holds the name.
    for (std::size_t i = count; i-- > 0;)
        names.oldName(i).current = static_cast<std::uint32_t>(i);
    std::vector<std::size_t> waitsOn(count, kNever);
    for (std::size_t i = 0; i < count; ++i) {
        if (statuses[i] != RenameStatus::Change)
            continue;
        BatchNames::Holders& holders = names.wantedName(i);
        const std::uint32_t current = holders.current;
        // A file that keeps its name holds it: the others that want it find it taken, not
        // shared.
        if (current != BatchNames::kNoEntry && statuses[current] == RenameStatus::Unchanged) {
            statuses[i] = RenameStatus::NameTaken;
            continue;
        }
        // A case-only rename on a case-insensitive folder finds its own file.
        waitsOn[i] = current == i || current == BatchNames::kNoEntry ? kFree : current;
        if (current == BatchNames::kNoEntry && folder.nameTaken &&
            folder.nameTaken(wanted[i].newName))
            statuses[i] = RenameStatus::NameTaken;
        // Taken outside or not, two entries wanting one name are duplicates first.
        if (holders.firstWanting == BatchNames::kNoEntry || holders.firstWanting == i) {
            holders.firstWanting = static_cast<std::uint32_t>(i);
            continue;
        }
        statuses[holders.firstWanting] = RenameStatus::DuplicateInBatch;
        statuses[i] = RenameStatus::DuplicateInBatch;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (statuses[i] != RenameStatus::Change)
            waitsOn[i] = kNever;
    }

    plan.order = orderMoves(waitsOn);
    for (RenameStatus& status : statuses) {
        if (status == RenameStatus::Change)
            status = RenameStatus::CycleOrBlocked;
    }
    for (std::size_t i : plan.order)
        statuses[i] = renamedStatus(wanted[i]);
    return plan;
}

} // namespace vornak
