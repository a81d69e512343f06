#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace vornak {

// A file of a group: what its blocks hold on disk and how many links lead to it.
struct GroupFile {
    // st_blocks * 512: a sparse file holds fewer bytes than its length, maybe none.
    qint64 diskBytes = 0;
    quint64 links = 1;
    // When its bytes were last written, as first looked at.
    qint64 modifiedNs = 0;
};

// Names of the list whose files hold the same bytes. Several names may lead to one file (hard
// links, symbolic links): they share a file number, and moving one of them away frees nothing.
struct ContentGroup {
    qint64 length = 0;
    // Entry indices in list order, and for each the number of its file within the group,
    // counted from 0 in order of first appearance, and whether the name is a symbolic link.
    std::vector<std::size_t> entries;
    std::vector<std::uint32_t> files;
    std::vector<bool> symbolic;
    // By file number.
    std::vector<GroupFile> fileInfo;

    std::uint32_t fileCount() const { return std::uint32_t(fileInfo.size()); }
    // Every name leads to one file: names, not copies.
    bool oneFile() const { return fileInfo.size() == 1; }
    // What moving every name of each file away frees, by file number: its blocks, unless a
    // link outside the group keeps them (only symbolic links of the group may lead to it).
    std::vector<qint64> freedByFile() const;
    // What moving away all files but one frees at least, whichever one is kept.
    qint64 reclaimable() const;
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
