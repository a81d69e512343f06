#pragma once

#include "core/check/ContentFindings.h"
#include "core/names/NameList.h"
#include "core/run/TrashRun.h"

#include <QtGlobal>

#include <vector>

namespace vornak {

// Which file of a group of copies stays where it is.
enum class KeepRule {
    // The one whose bytes were written first.
    Oldest,
    // The one whose bytes were written last.
    Newest,
    // The one with the shortest name (the folder's path is the same for all).
    ShortestPath,
    // The first in list order.
    First,
    // The first that lives in the shown folder: named there by more than a symbolic link.
    InShownFolder,
};

// What becomes of one group of copies: one file stays with every name it has, every name of
// the other files goes to the trash.
struct CopiesMove {
    std::size_t group = 0;
    // The entry of the kept file's first name.
    std::size_t kept = 0;
    // The entries that go, in list order, with what emptying the trash frees for each: a file's
    // blocks once, counted at its first name that is not a link; nothing for a symbolic link or a
    // file that keeps a link elsewhere.
    std::vector<std::size_t> moved;
    std::vector<qint64> freed;
};

// For each group of real copies (names of one file are no copies), the file kept by the rule,
// ties going to the first in list order, and the names that go. Groups in findings' order.
std::vector<CopiesMove> copiesToMove(const ContentFindings& findings, const NameList& entries,
                                     KeepRule rule);

// What emptying the trash frees once the moves are done.
qint64 freedBytes(const std::vector<CopiesMove>& moves);

// The names the moves take to the trash, in order, each with what its file held when found.
std::vector<TrashCandidate> trashCandidates(const ContentFindings& findings,
                                            const NameList& entries,
                                            const std::vector<CopiesMove>& moves);

} // namespace vornak
