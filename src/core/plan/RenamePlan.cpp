#include "core/plan/RenamePlan.h"

#include "core/fs/RenameResult.h"
#include "core/jobs/RowShares.h"
#include "core/names/NameIndex.h"
#include "core/names/NameText.h"
#include "core/plan/BatchNames.h"

#include <QSet>

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

// The moves of a plan in order, each cycle opened through a temporary name.
struct CycleOrder {
    // Indices of moves; the first move of a cycle comes twice, to and from its temporary name.
    std::vector<std::size_t> order;
    // The first move of each cycle in list order, which goes through a temporary name.
    std::vector<std::size_t> openers;
    // Per move, whether it is in a cycle; empty when none is.
    std::vector<bool> inCycle;
};

// Orders the moves as orderMoves does, after opening every cycle of waitsOn. Each move waits on
// one other at most, so no two cycles share a move, and each is opened alone: its first move
// in list order goes to a temporary name first, which frees its name for the move waiting on
// it, and so on round the cycle; it takes its new name right after the move whose name it
// wants has left that name. Linear in the moves.
CycleOrder orderThroughCycles(std::vector<std::size_t> waitsOn)
{
    const std::size_t count = waitsOn.size();
    CycleOrder moves;
    enum : std::uint8_t { kUnseen, kOnPath, kSeen };
    std::vector<std::uint8_t> seen(count, kUnseen);
    for (std::size_t start = 0; start < count; ++start) {
        std::size_t at = start;
        while (at < count && seen[at] == kUnseen) {
            seen[at] = kOnPath;
            at = waitsOn[at];
        }
        if (at < count && seen[at] == kOnPath) {
            if (moves.inCycle.empty())
                moves.inCycle.assign(count, false);
            std::size_t first = at;
            std::size_t member = at;
            do {
                moves.inCycle[member] = true;
                first = std::min(first, member);
                member = waitsOn[member];
            } while (member != at);
            moves.openers.push_back(first);
        }
        for (at = start; at < count && seen[at] == kOnPath; at = waitsOn[at])
            seen[at] = kSeen;
    }
    if (moves.openers.empty()) {
        moves.order = orderMoves(waitsOn);
        return moves;
    }
    std::sort(moves.openers.begin(), moves.openers.end());
    // closes[m]: the opener whose new name move m frees.
    std::vector<std::size_t> closes(count, kFree);
    for (std::size_t opener : moves.openers) {
        closes[waitsOn[opener]] = opener;
        waitsOn[opener] = kFree;
    }
    const std::vector<std::size_t> opened = orderMoves(waitsOn);
    moves.order.reserve(opened.size() + moves.openers.size());
    for (std::size_t move : opened) {
        moves.order.push_back(move);
        if (closes[move] != kFree)
            moves.order.push_back(closes[move]);
    }
    return moves;
}

// The plan's renames in order, moveOf(i) giving move i's. A move with a temporary name goes to
// it the first time it comes, marked as such, and on from it the second time.
template <typename Move>
std::vector<Rename> renamesInOrder(const std::vector<std::size_t>& order,
                                   const std::vector<TemporaryName>& temporaries, std::size_t count,
                                   Move&& moveOf)
{
    std::vector<std::size_t> temporaryOf;
    std::vector<bool> away;
    if (!temporaries.empty()) {
        temporaryOf.assign(count, kFree);
        away.assign(temporaries.size(), false);
        for (std::size_t t = 0; t < temporaries.size(); ++t)
            temporaryOf[temporaries[t].entry] = t;
    }
    std::vector<Rename> run;
    run.reserve(order.size());
    for (std::size_t i : order) {
        Rename rename = moveOf(i);
        const std::size_t t = temporaryOf.empty() ? kFree : temporaryOf[i];
        if (t != kFree) {
            const QByteArray& temporary = temporaries[t].name;
            rename = away[t] ? Rename{temporary, std::move(rename.newName)}
                             : Rename{std::move(rename.oldName), temporary, true};
            away[t] = true;
        }
        run.push_back(std::move(rename));
    }
    return run;
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

std::vector<Rename> planRenames(std::vector<Rename> wanted,
                                const std::function<bool(const QByteArrayView&)>& nameTaken)
{
    // The files not to move keep their names, which no temporary name may take.
    const auto notMoving = std::stable_partition(wanted.begin(), wanted.end(), [](const Rename& r) {
        return r.newName != r.oldName && isEntryName(r.newName);
    });
    std::vector<QByteArray> keptNames;
    keptNames.reserve(std::size_t(wanted.end() - notMoving));
    for (auto kept = notMoving; kept != wanted.end(); ++kept)
        keptNames.push_back(std::move(kept->oldName));
    wanted.erase(notMoving, wanted.end());
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

    const CycleOrder moves = orderThroughCycles(std::move(waitsOn));
    std::vector<TemporaryName> temporaries;
    if (!moves.openers.empty()) {
        temporaries.reserve(moves.openers.size());
        NameIndex runNames(2 * count + keptNames.size());
        for (const Rename& rename : wanted) {
            runNames.add(rename.oldName);
            runNames.add(rename.newName);
        }
        for (const QByteArray& name : keptNames)
            runNames.add(name);
        for (std::size_t opener : moves.openers) {
            temporaries.push_back(
                {opener, temporaryName(wanted[opener].oldName, [&](const QByteArrayView& name) {
                     return runNames.contains(name) || (nameTaken && nameTaken(name));
                 })});
            runNames.add(temporaries.back().name);
        }
    }
    // Copied, not moved: a cycle's first file comes twice.
    return renamesInOrder(moves.order, temporaries, count,
                          [&](std::size_t i) { return wanted[i]; });
}

QByteArray temporaryName(QByteArrayView oldName,
                         const std::function<bool(const QByteArrayView&)>& taken)
{
    const QByteArray base = caseStepName(oldName);
    QByteArray name = base;
    for (int suffix = 2; taken(name); ++suffix)
        name = base + '-' + QByteArray::number(suffix);
    return name;
}

std::vector<Rename> BatchPlan::renames(std::span<const WantedName> wanted) const
{
    return renamesInOrder(order, temporaries, wanted.size(), [&](std::size_t i) {
        return Rename{wanted[i].oldName.toByteArray(), wanted[i].newName.toByteArray()};
    });
}

BatchPlan planBatch(std::span<const WantedName> wanted, const FolderRules& folder)
{
    const std::size_t count = wanted.size();
    BatchPlan plan;
    std::vector<RenameStatus>& statuses = plan.statuses;
    statuses.resize(count, RenameStatus::Change);

    // A rename not yet ruled out stays Change until the order is known. Each row stands alone
    // here and reads its names, scattered in memory: the rows are shared out among the cores.
    rowShares(count, [&](std::size_t, std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            const WantedName& entry = wanted[i];
            if (entry.newName == entry.oldName)
                statuses[i] = RenameStatus::Unchanged;
            else if (!isAllowedName(entry.newName))
                statuses[i] = RenameStatus::NameNotAllowed;
            else if (isTooLong(entry.newName, folder))
                statuses[i] = RenameStatus::NameTooLong;
        }
    });

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

    CycleOrder moves = orderThroughCycles(std::move(waitsOn));
    plan.order = std::move(moves.order);
    std::vector<char> ordered(count, 0);
    for (std::size_t i : plan.order)
        ordered[i] = 1;
    rowShares(count, [&](std::size_t, std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            if (statuses[i] != RenameStatus::Change)
                continue;
            if (!ordered[i])
                statuses[i] = RenameStatus::CycleOrBlocked;
            else if (!moves.inCycle.empty() && moves.inCycle[i])
                statuses[i] = RenameStatus::CycleThroughTemporary;
            else
                statuses[i] = renamedStatus(wanted[i]);
        }
    });
    QSet<QByteArray> chosen;
    for (std::size_t opener : moves.openers) {
        plan.temporaries.push_back(
            {opener, temporaryName(wanted[opener].oldName, [&](const QByteArrayView& name) {
                 return names.holds(name) || chosen.contains(name.toByteArray()) ||
                        (folder.nameTaken && folder.nameTaken(name));
             })});
        chosen.insert(plan.temporaries.back().name);
    }
    return plan;
}

} // namespace vornak
