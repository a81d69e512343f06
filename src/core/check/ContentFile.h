#pragma once

#include "core/check/ContentFindings.h"

#include "core/fs/FileDescriptor.h"
#include "core/fs/SystemCalls.h"
#include "core/names/NameList.h"

#include <sys/types.h>

#include <ctime>
#include <span>

namespace vornak {

// What the first look at a listed entry found: the file it leads to and its state then.
struct EntryStat {
    std::size_t entry;
    qint64 length;
    dev_t device;
    ino_t inode;
    timespec modified;
    // What the file's blocks hold on disk (fewer bytes than its length: parts may be holes),
    // and how many links lead to it.
    qint64 diskBytes;
    quint64 links;
    // The name is a symbolic link to the file.
    bool symbolic;
};

// The problem an error number of opening or reading a file stands for.
ReadProblem readProblemOf(int error);

// One file of a group of equal length, with every listed name that leads to it: opened while
// its group is compared, read by offset, and in the end checked against what the first look at
// its names found, so that a file changed meanwhile is never taken for a copy.
class ContentFile {
public:
    enum class Fate { Pending, Unique, Equal, Unreadable, Changed };

    // names: the entries that lead to this one file, in list order; calls: the calls that
    // open, read and examine it, kept by reference.
    ContentFile(std::span<const EntryStat> names, const fs::SystemCalls& calls)
        : m_names(names), m_calls(&calls)
    {}

    qint64 length() const { return m_names.front().length; }
    std::span<const EntryStat> names() const { return m_names; }

    [[nodiscard]] bool open(int folder, const NameList& entries);
    void close();
    // Reads exactly size bytes at offset; on failure the file is unreadable, or changed when it
    // ended early or is no longer the file first seen.
    [[nodiscard]] bool read(qint64 offset, char* buffer, qint64 size);
    // False (and changed) when the file holds more bytes than its length said it would.
    [[nodiscard]] bool endsAt(qint64 offset);
    // The first offset from offset on where the file may hold anything but zeros.
    qint64 dataFrom(qint64 offset);
    // Whether every name still leads to the same file, of the same length and modification
    // time as first seen; marks the file changed when not.
    [[nodiscard]] bool unchanged(int folder, const NameList& entries);

    Fate fate() const { return m_fate; }
    ReadProblem problem() const { return m_problem; }
    std::uint32_t classId() const { return m_classId; }
    void setUnique() { m_fate = Fate::Unique; }
    void setEqual(std::uint32_t classId);

    // The file's part of the check's progress in bytes: set once, then taken as it is read.
    void setShare(qint64 bytes) { m_share = bytes; }
    qint64 takeShare(qint64 bytes);

private:
    void failed(int error);
    bool stillTheFileFirstSeen() const;

    std::span<const EntryStat> m_names;
    const fs::SystemCalls* m_calls;
    FileDescriptor m_fd;
    Fate m_fate = Fate::Pending;
    ReadProblem m_problem = ReadProblem::ReadError;
    std::uint32_t m_classId = 0;
    qint64 m_share = 0;
    // The data region last asked for, [m_dataAt, m_holeAt), of a sparse file.
    qint64 m_dataAt = 0;
    qint64 m_holeAt = 0;
};

} // namespace vornak
