#include "core/check/ContentGroups.h"

#include "core/check/ContentComparer.h"
#include "core/check/RunsOfEqualKeys.h"
#include "core/fs/OpenFolder.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <numeric>
#include <string>
#include <tuple>

namespace vornak {

namespace {

using Run = std::span<const EntryStat>;

// The options within what the process may hold open and what the comparer needs.
ContentOptions withinLimits(const ContentOptions& options)
{
    ContentOptions limited = options;
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        limited.openFiles = std::min<std::size_t>(limited.openFiles, limit.rlim_cur / 4);
    limited.openFiles = std::max<std::size_t>(limited.openFiles, 2);
    limited.blockBytes = std::max<qint64>(limited.blockBytes, 1);
    limited.chunkBytes = std::max(limited.chunkBytes, limited.blockBytes);
    return limited;
}

// One look at each entry, relative to the open folder: a symbolic link is followed, and marked
// as one. False when the check was stopped.
bool lookAtEntries(const OpenFolder& folder, const NameList& entries, const std::stop_token& stop,
                   std::vector<EntryStat>& stats, std::vector<UnreadableEntry>& unreadable)
{
    stats.reserve(entries.size());
    std::string name;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (stop.stop_requested())
            return false;
        const QByteArrayView bytes = entries.bytesAt(i);
        name.assign(bytes.data(), std::size_t(bytes.size()));
        struct stat st {};
        bool symbolic = false;
        if (folder.fd() < 0) {
            unreadable.push_back({i, readProblemOf(folder.openError())});
            continue;
        }
        int looked = ::fstatat(folder.fd(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW);
        if (looked == 0 && S_ISLNK(st.st_mode)) {
            symbolic = true;
            looked = ::fstatat(folder.fd(), name.c_str(), &st, 0);
        }
        if (looked != 0)
            unreadable.push_back({i, readProblemOf(errno)});
        else if (!S_ISREG(st.st_mode))
            unreadable.push_back({i, ReadProblem::NotAFile});
        else
            stats.push_back({i, st.st_size, st.st_dev, st.st_ino, st.st_mtim,
                             qint64(st.st_blocks) * 512, quint64(st.st_nlink), symbolic});
    }
    return true;
}

// A file is told apart by its device and inode: another volume may use the same inode number.
std::pair<dev_t, ino_t> fileOf(const EntryStat& stat)
{
    return {stat.device, stat.inode};
}

// The runs of two or more entries of one length; the entries sorted by length, then file, the
// names of a file in list order.
std::vector<Run> runsOfEqualLength(std::vector<EntryStat>& stats)
{
    sortByKey(std::span(stats),
              [](const EntryStat& s) { return std::tuple(s.length, s.device, s.inode); });
    std::vector<Run> runs;
    forEachRun(Run(stats), &EntryStat::length, [&runs](Run run) {
        if (run.size() > 1)
            runs.push_back(run);
    });
    return runs;
}

std::size_t filesIn(Run run)
{
    std::size_t files = 0;
    forEachRun(run, fileOf, [&files](Run) { ++files; });
    return files;
}

std::vector<ContentFile> filesOf(Run run, const fs::SystemCalls& calls)
{
    std::vector<ContentFile> files;
    files.reserve(filesIn(run));
    forEachRun(run, fileOf, [&](Run names) { files.emplace_back(names, calls); });
    return files;
}

void collect(const std::vector<ContentFile>& files, std::uint32_t firstClass, std::uint32_t classes,
             ContentFindings& findings)
{
    const std::size_t base = findings.groups.size();
    findings.groups.resize(base + (classes - firstClass));
    for (const ContentFile& file : files) {
        for (const EntryStat& name : file.names()) {
            if (file.fate() == ContentFile::Fate::Unreadable)
                findings.unreadable.push_back({name.entry, file.problem()});
            else if (file.fate() == ContentFile::Fate::Changed)
                findings.changed.push_back(name.entry);
        }
        if (file.fate() != ContentFile::Fate::Equal)
            continue;
        ContentGroup& group = findings.groups[base + (file.classId() - firstClass)];
        group.length = file.length();
        for (const EntryStat& name : file.names()) {
            group.entries.push_back(name.entry);
            group.files.push_back(group.fileCount());
            group.symbolic.push_back(name.symbolic);
        }
        const EntryStat& first = file.names().front();
        group.fileInfo.push_back(
            {first.diskBytes, first.links,
             qint64(first.modified.tv_sec) * 1'000'000'000 + first.modified.tv_nsec});
    }
}

// Entries in list order, files numbered by their first name in that order.
void putInListOrder(ContentGroup& group)
{
    std::vector<std::size_t> order(group.entries.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return group.entries[a] < group.entries[b]; });
    const std::uint32_t fileCount = group.fileCount();
    std::vector<std::uint32_t> number(fileCount, fileCount);
    ContentGroup sorted;
    sorted.length = group.length;
    sorted.entries.reserve(order.size());
    sorted.files.reserve(order.size());
    sorted.symbolic.reserve(order.size());
    sorted.fileInfo.reserve(fileCount);
    for (std::size_t k : order) {
        std::uint32_t& file = number[group.files[k]];
        if (file == fileCount) {
            file = sorted.fileCount();
            sorted.fileInfo.push_back(group.fileInfo[group.files[k]]);
        }
        sorted.entries.push_back(group.entries[k]);
        sorted.files.push_back(file);
        sorted.symbolic.push_back(group.symbolic[k]);
    }
    group = std::move(sorted);
}

ContentFindings cancelled()
{
    ContentFindings findings;
    findings.cancelled = true;
    return findings;
}

} // namespace

ContentFindings findIdenticalContents(const QByteArray& folder, const NameList& entries,
                                      const ContentOptions& options)
{
    const ContentOptions limited = withinLimits(options);
    const OpenFolder opened(folder, *limited.calls);
    ContentFindings findings;
    std::vector<EntryStat> stats;
    if (!lookAtEntries(opened, entries, limited.stop, stats, findings.unreadable))
        return cancelled();

    const std::vector<Run> runs = runsOfEqualLength(stats);
    ContentComparer comparer(opened.fd(), entries, limited);
    qint64 total = 0;
    for (Run run : runs)
        total += comparer.plannedBytes(filesIn(run), run.front().length);
    comparer.setTotal(total);
    for (Run run : runs) {
        std::vector<ContentFile> files = filesOf(run, *limited.calls);
        const std::uint32_t firstClass = comparer.classCount();
        if (!comparer.settle(files))
            return cancelled();
        collect(files, firstClass, comparer.classCount(), findings);
    }

    for (ContentGroup& group : findings.groups)
        putInListOrder(group);
    std::sort(findings.groups.begin(), findings.groups.end(),
              [](const ContentGroup& a, const ContentGroup& b) {
                  return a.entries.front() < b.entries.front();
              });
    std::sort(findings.unreadable.begin(), findings.unreadable.end(),
              [](const UnreadableEntry& a, const UnreadableEntry& b) { return a.entry < b.entry; });
    std::sort(findings.changed.begin(), findings.changed.end());
    return findings;
}

} // namespace vornak
