#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace vornak {

// Names of the list whose files hold the same bytes. Several names may lead to one file (hard
// links): they share a file number, and deleting one of them frees nothing.
struct ContentGroup {
    qint64 length = 0;
    // Entry indices in list order, and for each the number of its file within the group,
    // counted from 0 in order of first appearance.
    std::vector<std::size_t> entries;
    std::vector<std::uint32_t> files;
    std::uint32_t fileCount = 0;
    // Too many files of this length to hold open at once: settled on a hash of each whole file
    // instead of on the bytes side by side.
    bool byHash = false;

    // What deleting all names but those of one file would free: each file's bytes once.
    qint64 reclaimable() const { return length * (qint64(fileCount) - 1); }
};

enum class ReadProblem { Missing, NotAFile, NoPermission, ReadError };

struct UnreadableEntry {
    std::size_t entry;
    ReadProblem problem;
};

// What the content check found among the entries of a folder; every list is in list order.
struct ContentFindings {
    std::vector<ContentGroup> groups;
    std::vector<UnreadableEntry> unreadable;
    // Entries whose file changed while it was compared, so that no verdict on it holds.
    std::vector<std::size_t> changed;
    bool cancelled = false;
};

} // namespace vornak
