#include "core/check/CopiesToMove.h"

#include <numeric>

namespace vornak {

namespace {

// The first name of each file of the group, by file number.
std::vector<std::size_t> firstNames(const ContentGroup& group)
{
    std::vector<std::size_t> first(group.fileCount(), group.entries.size());
    for (std::size_t k = group.entries.size(); k-- > 0;)
        first[group.files[k]] = k;
    return first;
}

// Whether the file has a name in the shown folder that is not a symbolic link.
std::vector<bool> livesHere(const ContentGroup& group)
{
    std::vector<bool> here(group.fileCount(), false);
    for (std::size_t k = 0; k < group.entries.size(); ++k)
        if (!group.symbolic[k])
            here[group.files[k]] = true;
    return here;
}

// Whether file a is to be kept rather than file b, which comes first in list order.
bool keepsRather(const ContentGroup& group, const NameList& entries,
                 const std::vector<std::size_t>& first, const std::vector<bool>& here,
                 std::uint32_t a, std::uint32_t b, KeepRule rule)
{
    switch (rule) {
    case KeepRule::Oldest:
        return group.fileInfo[a].modifiedNs < group.fileInfo[b].modifiedNs;
    case KeepRule::Newest:
        return group.fileInfo[a].modifiedNs > group.fileInfo[b].modifiedNs;
    case KeepRule::ShortestPath:
        return entries.bytesAt(group.entries[first[a]]).size() <
               entries.bytesAt(group.entries[first[b]]).size();
    case KeepRule::InShownFolder:
        return here[a] && !here[b];
    case KeepRule::First:
        break;
    }
    return false;
}

CopiesMove moveOf(std::size_t index, const ContentGroup& group, const NameList& entries,
                  KeepRule rule)
{
    const std::vector<std::size_t> first = firstNames(group);
    const std::vector<bool> here = livesHere(group);
    std::uint32_t kept = 0;
    for (std::uint32_t f = 1; f < group.fileCount(); ++f)
        if (keepsRather(group, entries, first, here, f, kept, rule))
            kept = f;
    const std::vector<qint64> freedByFile = group.freedByFile();
    CopiesMove move{index, group.entries[first[kept]], {}, {}};
    move.moved.reserve(group.entries.size());
    move.freed.reserve(group.entries.size());
    // A file's blocks count at its first name that is not a symbolic link.
    std::vector<bool> counted(group.fileCount(), false);
    for (std::size_t k = 0; k < group.entries.size(); ++k) {
        const std::uint32_t file = group.files[k];
        if (file == kept)
            continue;
        const bool counts = !group.symbolic[k] && !counted[file];
        counted[file] = counted[file] || counts;
        move.moved.push_back(group.entries[k]);
        move.freed.push_back(counts ? freedByFile[file] : 0);
    }
    return move;
}

} // namespace

std::vector<CopiesMove> copiesToMove(const ContentFindings& findings, const NameList& entries,
                                     KeepRule rule)
{
    std::vector<CopiesMove> moves;
    for (std::size_t g = 0; g < findings.groups.size(); ++g)
        if (!findings.groups[g].oneFile())
            moves.push_back(moveOf(g, findings.groups[g], entries, rule));
    return moves;
}

qint64 freedBytes(const std::vector<CopiesMove>& moves)
{
    qint64 total = 0;
    for (const CopiesMove& move : moves)
        total = std::accumulate(move.freed.begin(), move.freed.end(), total);
    return total;
}

std::vector<TrashCandidate> trashCandidates(const ContentFindings& findings,
                                            const NameList& entries,
                                            const std::vector<CopiesMove>& moves)
{
    std::vector<TrashCandidate> candidates;
    for (const CopiesMove& move : moves) {
        const ContentGroup& group = findings.groups[move.group];
        std::size_t next = 0;
        for (std::size_t k = 0; k < group.entries.size() && next < move.moved.size(); ++k) {
            if (group.entries[k] != move.moved[next])
                continue;
            ++next;
            candidates.push_back({entries.nameAt(group.entries[k]), group.length,
                                  group.fileInfo[group.files[k]].modifiedNs, group.symbolic[k]});
        }
    }
    return candidates;
}

} // namespace vornak
