#include "core/run/RenameJournal.h"

#include "core/fs/DirectoryStream.h"
#include "core/fs/FileDescriptor.h"
#include "core/fs/FolderTree.h"
#include "core/fs/XdgFolders.h"
#include "core/run/JournalFormat.h"

#include <QHash>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <tuple>
#include <unistd.h>

namespace vornak {

namespace {

constexpr char kLockName[] = "lock";
constexpr QByteArrayView kRunSuffix = ".run";
// A run's journal is written under this name beside its own and then put in place whole.
constexpr QByteArrayView kWritingSuffix = ".new";
// A damaged journal is put aside under this name: kept for a look, no longer offered.
constexpr QByteArrayView kDamagedSuffix = ".damaged";
// A run the user gave up undoing is put aside under this name.
constexpr QByteArrayView kSetAsideSuffix = ".set-aside";
constexpr qsizetype kIdDigits = 20;

// Run files are named by their id, zero-padded so that names sort as ids do.
QByteArray runFileName(qint64 id, QByteArrayView suffix = {})
{
    QByteArray name = QByteArray::number(id).rightJustified(kIdDigits, '0');
    return name.append(kRunSuffix).append(suffix);
}

std::optional<qint64> runIdOf(QByteArrayView name)
{
    qint64 id = 0;
    const QByteArrayView digits = name.first(std::min(name.size(), kIdDigits));
    const auto [end, error] = std::from_chars(digits.begin(), digits.end(), id);
    if (name.size() != kIdDigits + kRunSuffix.size() || error != std::errc() ||
        end != digits.end() || !name.endsWith(kRunSuffix))
        return std::nullopt;
    return id;
}

bool lockFile(int fd, int operation)
{
    int result = 0;
    do
        result = ::flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

// The journal folder's lock, shared for reading and exclusive for changing the folder.
class FolderLock {
public:
    FolderLock(int dir, int operation)
        : m_file(::openat(dir, kLockName, O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        // On a read-only volume the lock file can still be read, when it is there: the first
        // refusal says why the journal cannot be written, not that the file is missing.
        if (!m_file.isOpen()) {
            m_error = errno;
            m_file = FileDescriptor(::openat(dir, kLockName, O_RDONLY | O_CLOEXEC));
        }
        if (m_file.isOpen() && !lockFile(m_file.get(), operation)) {
            m_error = errno;
            m_file.reset();
        }
    }
    bool isHeld() const { return m_file.isOpen(); }
    // Why the lock is not held.
    int error() const { return m_error; }

private:
    FileDescriptor m_file;
    int m_error = 0;
};

FileDescriptor openFolder(const QByteArray& path)
{
    return FileDescriptor(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Opens a run's file and locks it without waiting: nothing when another holds it.
FileDescriptor lockedRun(int dir, qint64 id, int flags, int operation)
{
    FileDescriptor file(::openat(dir, runFileName(id).constData(), flags | O_CLOEXEC));
    if (file.isOpen() && !lockFile(file.get(), operation | LOCK_NB))
        file.reset();
    return file;
}

// The run ids of the journal folder, oldest first; with writing, the ids of journals still
// being written (or left so by a writer killed meanwhile) instead.
std::vector<qint64> runIds(int dir, bool writing = false)
{
    std::vector<qint64> ids;
    DirectoryStream listing = DirectoryStream::ofOpenFolder(dir);
    while (const dirent* entry = listing.next()) {
        QByteArrayView name(entry->d_name);
        if (writing && !name.endsWith(kWritingSuffix))
            continue;
        if (const auto id = runIdOf(writing ? name.chopped(kWritingSuffix.size()) : name))
            ids.push_back(*id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

qsizetype fileSize(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? qsizetype(st.st_size) : 0;
}

QByteArray tailOf(int fd)
{
    const qsizetype size = fileSize(fd);
    const qsizetype length = std::min(size, journal::kLongestTail);
    return readAt(fd, off_t(size - length), length);
}

int versionOf(int fd)
{
    return journal::versionOf(readAt(fd, 0, journal::kLongestHeader));
}

JournalState stateOf(int fd)
{
    return journal::stateOf(tailOf(fd), versionOf(fd));
}

// A run that moved no file: nothing to undo, nothing to offer.
bool movedNothing(int fd)
{
    return journal::tallyOf(tailOf(fd), versionOf(fd)).files == 0u;
}

qint64 nowNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Drops what a writer killed while writing left behind, and the oldest runs so that the new
// one makes kKeptRuns. Runs another copy holds stay. Returns the newest id in the folder.
qint64 pruneRuns(int dir)
{
    for (const qint64 id : runIds(dir, true)) {
        const QByteArray name = runFileName(id, kWritingSuffix);
        const FileDescriptor file(::openat(dir, name.constData(), O_RDONLY | O_CLOEXEC));
        if (file.isOpen() && lockFile(file.get(), LOCK_EX | LOCK_NB))
            ::unlinkat(dir, name.constData(), 0);
    }
    std::vector<qint64> droppable;
    std::size_t kept = 0;
    qint64 newest = 0;
    for (const qint64 id : runIds(dir)) {
        newest = id;
        const FileDescriptor file = lockedRun(dir, id, O_RDONLY, LOCK_EX);
        if (!file.isOpen()) {
            ++kept;
        } else if (stateOf(file.get()) == JournalState::Unfinished || movedNothing(file.get())) {
            ::unlinkat(dir, runFileName(id).constData(), 0);
        } else {
            droppable.push_back(id);
            ++kept;
        }
    }
    for (auto id = droppable.begin(); kept >= RenameJournal::kKeptRuns && id != droppable.end();
         ++id, --kept)
        ::unlinkat(dir, runFileName(*id).constData(), 0);
    return newest;
}

// Where size and time alone do not tell the files of a run apart, adds each such file's
// fingerprint. Steps that move a file an earlier step moved share that step's identity.
void fingerprintAlike(int folder, std::span<const Rename> plan,
                      std::vector<std::optional<FileIdentity>>& identities,
                      const std::vector<std::size_t>& takenBy)
{
    QHash<std::pair<qint64, qint64>, int> alike;
    for (std::size_t i = 0; i < plan.size(); ++i)
        if (takenBy[i] == i && identities[i])
            ++alike[{identities[i]->size, identities[i]->modifiedNs}];
    for (std::size_t i = 0; i < plan.size(); ++i) {
        auto& identity = identities[takenBy[i]];
        if (takenBy[i] == i && identity && alike.value({identity->size, identity->modifiedNs}) > 1)
            identity = identityAt(folder, plan[i].oldName.constData(), identity->kind, true);
        else if (takenBy[i] != i)
            identities[i] = identity;
    }
}

// The identity of the file each step moves: the one at its old name now, or, for a name that
// only an earlier step of the run creates (a temporary name on the way through a cycle),
// the file that step moves there.
std::vector<std::optional<FileIdentity>> identitiesOf(int folder, std::span<const Rename> plan)
{
    const IdentityKind kind = identityKindOf(folder);
    std::vector<std::optional<FileIdentity>> identities;
    identities.reserve(plan.size());
    // The step whose look at the folder gave each identity.
    std::vector<std::size_t> takenBy;
    takenBy.reserve(plan.size());
    // The last step into each name; only runs with a name not there yet pay for it.
    std::optional<QHash<QByteArrayView, std::size_t>> lastInto;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        auto identity = identityAt(folder, plan[i].oldName.constData(), kind, false);
        takenBy.push_back(i);
        if (!identity && !lastInto) {
            lastInto.emplace();
            for (std::size_t earlier = 0; earlier < i; ++earlier)
                lastInto->insert(plan[earlier].newName, earlier);
        }
        if (lastInto) {
            if (!identity) {
                const auto earlier = lastInto->constFind(QByteArrayView(plan[i].oldName));
                if (earlier != lastInto->cend()) {
                    identity = identities[*earlier];
                    takenBy.back() = takenBy[*earlier];
                }
            }
            lastInto->insert(plan[i].newName, i);
        }
        identities.push_back(identity);
    }
    if (kind == IdentityKind::Content)
        fingerprintAlike(folder, plan, identities, takenBy);
    return identities;
}

// The journal of a run, the identities taken folder by folder: stretches name the folders below
// folder the plan's steps are in, in order; none for a run in folder alone. A folder that cannot
// be opened gives its steps no identity: they cannot have been renamed. Where renames may claim
// names with placeholders (the volumes that renumber inodes are those that may lack both a
// no-replace rename and hard links), each rename is preceded by its placeholder's step, so that
// the journal knows every placeholder before it is made; the run's folder decides for the tree.
QByteArray journalText(int folder, const QByteArray& folderPath, const std::vector<Rename>& plan,
                       std::span<const FolderStretch> stretches)
{
    const FolderStretch whole{{}, plan.size()};
    if (stretches.empty())
        stretches = std::span(&whole, 1);
    const bool claimsNames = identityKindOf(folder) == IdentityKind::Content;
    const std::size_t placeholders = claimsNames ? plan.size() : 0;
    const auto stepsPerFile = qsizetype(claimsNames ? 2 : 1);
    qsizetype nameBytes = 0;
    for (const Rename& rename : plan)
        nameBytes += rename.oldName.size() + rename.newName.size();
    for (const FolderStretch& stretch : stretches)
        nameBytes += stretch.path.size() * qsizetype(stretch.renames);
    // Room for the names with a few bytes encoded and for four numbers per step.
    QByteArray text;
    text.reserve(journal::kLongestHeader +
                 stepsPerFile * (nameBytes + nameBytes / 4 + qsizetype(plan.size()) * 64));
    const auto temporaries = std::size_t(std::count_if(
        plan.begin(), plan.end(), [](const Rename& rename) { return rename.toTemporary; }));
    journal::appendHeader(text, folderPath, plan.size() + placeholders, placeholders + temporaries);
    const FileIdentity placeholder = journal::placeholderIdentity(nowNs());
    std::size_t first = 0;
    for (const FolderStretch& stretch : stretches) {
        const auto renames = std::span(plan).subspan(first, stretch.renames);
        first += stretch.renames;
        const FileDescriptor below =
            stretch.path.isEmpty() ? FileDescriptor() : openTreeFolder(folder, stretch.path);
        const int dir = stretch.path.isEmpty() ? folder : below.get();
        const std::vector<std::optional<FileIdentity>> identities =
            dir >= 0 ? identitiesOf(dir, renames)
                     : std::vector<std::optional<FileIdentity>>(renames.size());
        for (std::size_t i = 0; i < renames.size(); ++i) {
            if (claimsNames)
                journal::appendStep(text, StepKind::PlaceholderMade, stretch.path,
                                    renames[i].oldName, renames[i].newName, placeholder);
            journal::appendStep(
                text, renames[i].toTemporary ? StepKind::ThroughTemporary : StepKind::Rename,
                stretch.path, renames[i].oldName, renames[i].newName, identities[i]);
        }
    }
    journal::appendEnd(text);
    return text;
}

void dropRun(int dir, qint64 id)
{
    const FolderLock lock(dir, LOCK_EX);
    if (lock.isHeld() && ::unlinkat(dir, runFileName(id).constData(), 0) == 0)
        ::fsync(dir);
}

// Writes a run's journal aside, flushes it and puts it in place whole, so that a journal in
// place that lacks its end is known to be damaged. file is the journal, locked; 0 or errno.
int writeWhole(int dir, qint64 id, QByteArrayView text, FileDescriptor& file)
{
    const QByteArray writing = runFileName(id, kWritingSuffix);
    file = FileDescriptor(
        ::openat(dir, writing.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!file.isOpen())
        return errno;
    if (!lockFile(file.get(), LOCK_EX | LOCK_NB) || !writeAll(file.get(), text) ||
        ::fsync(file.get()) != 0 ||
        ::renameat(dir, writing.constData(), dir, runFileName(id).constData()) != 0 ||
        ::fsync(dir) != 0) {
        const int error = errno;
        ::unlinkat(dir, writing.constData(), 0);
        file.reset();
        return error;
    }
    return 0;
}

// Puts a run's journal aside under the suffix: older runs are offered again, and nothing of
// it is lost. The caller holds the folder's lock.
bool putAside(int dir, qint64 id, QByteArrayView suffix)
{
    return ::renameat(dir, runFileName(id).constData(), dir, runFileName(id, suffix).constData()) ==
               0 &&
           ::fsync(dir) == 0;
}

// The steps an undo left to do, in the run's order: all but those undone or never done. A
// placeholder is dealt with, or told of, once: its rename, undone first, happened after it.
std::vector<JournalStep> stepsLeft(std::vector<JournalStep> steps, const UndoReport& report)
{
    std::vector<JournalStep> left;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const UndoOutcome outcome = report.steps[steps.size() - 1 - i].outcome;
        if (outcome != UndoOutcome::Restored && outcome != UndoOutcome::NotRenamed &&
            steps[i].kind != StepKind::PlaceholderMade)
            left.push_back(std::move(steps[i]));
    }
    return left;
}

// Keeps only the steps still to undo in the run's journal, which stays where it was among the
// runs; the run counts as complete from now on, every step left a file it moved.
void keepSteps(int dir, qint64 id, const JournalContent& content,
               const std::vector<JournalStep>& left, bool restoredNone)
{
    const FolderLock lock(dir, LOCK_EX);
    FileDescriptor file;
    if (lock.isHeld())
        std::ignore = writeWhole(
            dir, id, journal::completeJournal(content.folder, left, {left.size(), restoredNone}),
            file);
}

} // namespace

RenameJournal::RenameJournal(QByteArray journalFolder) : m_folder(std::move(journalFolder)) {}

QByteArray RenameJournal::defaultFolder()
{
    return xdgStateHome() + "/vornak";
}

JournalRun RenameJournal::begin(const QByteArray& folder, const std::vector<Rename>& plan) const
{
    return begin(folder, plan, {});
}

JournalRun RenameJournal::begin(const QByteArray& folder, const std::vector<Rename>& plan,
                                std::span<const FolderStretch> stretches) const
{
    const FileDescriptor files = openFolder(folder);
    if (!files.isOpen())
        return {JournalError::FolderUnavailable, errno};
    return write(journalText(files.get(), folder, plan, stretches));
}

JournalRun RenameJournal::beginSteps(const QByteArray& folder,
                                     const std::vector<JournalStep>& steps) const
{
    return write(journal::startedJournal(folder, steps));
}

JournalRun RenameJournal::write(const QByteArray& text) const
{
    const auto unwritable = [](int error) {
        return JournalRun(JournalError::JournalUnwritable, error);
    };
    if (const int error = createFolders(m_folder))
        return unwritable(error);
    const FileDescriptor dir = openFolder(m_folder);
    if (!dir.isOpen())
        return unwritable(errno);
    const FolderLock lock(dir.get(), LOCK_EX);
    if (!lock.isHeld())
        return unwritable(lock.error());
    const qint64 id = std::max(pruneRuns(dir.get()) + 1, nowNs());
    FileDescriptor file;
    if (const int error = writeWhole(dir.get(), id, text, file))
        return unwritable(error);
    return {id, std::move(file)};
}

std::vector<RunInfo> RenameJournal::runs() const
{
    std::vector<RunInfo> found;
    const FileDescriptor dir = openFolder(m_folder);
    if (!dir.isOpen())
        return found;
    const FolderLock lock(dir.get(), LOCK_SH);
    if (!lock.isHeld())
        return found;
    const std::vector<qint64> ids = runIds(dir.get());
    for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
        const FileDescriptor file = lockedRun(dir.get(), *id, O_RDONLY, LOCK_SH);
        if (!file.isOpen())
            continue;
        const QByteArray head = readAt(file.get(), 0, journal::kLongestHeader);
        const QByteArray tail = tailOf(file.get());
        const JournalState state = journal::stateOf(tail, journal::versionOf(head));
        auto header = journal::parseHeader(head);
        const RunTally tally = journal::tallyOf(tail, journal::versionOf(head));
        if (state == JournalState::Unfinished || tally.files == 0u)
            continue;
        RunInfo run{*id,
                    {},
                    0,
                    state == JournalState::Complete,
                    !header || state == JournalState::Damaged,
                    tally.files,
                    tally.lastUndoRestoredNone};
        if (header) {
            run.folder = std::move(header->folder);
            run.steps = header->steps - header->extraSteps;
            run.kind = header->kind;
        }
        found.push_back(std::move(run));
    }
    return found;
}

std::optional<RunInfo> RenameJournal::lastRun() const
{
    std::vector<RunInfo> all = runs();
    if (all.empty())
        return std::nullopt;
    return std::move(all.front());
}

std::vector<RunInfo> RenameJournal::interruptedRuns() const
{
    std::vector<RunInfo> all = runs();
    std::erase_if(all, [](const RunInfo& run) { return run.complete || run.damaged; });
    return all;
}

UndoReport RenameJournal::undo(qint64 runId, const UndoProgress& progress) const
{
    UndoReport report;
    const FileDescriptor dir = openFolder(m_folder);
    if (!dir.isOpen())
        return report;
    FileDescriptor file;
    {
        const FolderLock lock(dir.get(), LOCK_SH);
        file = FileDescriptor(
            ::openat(dir.get(), runFileName(runId).constData(), O_RDONLY | O_CLOEXEC));
        if (!lock.isHeld() || !file.isOpen())
            return report;
        if (!lockFile(file.get(), LOCK_EX | LOCK_NB)) {
            report.status = UndoStatus::InProgress;
            return report;
        }
    }
    auto content = journal::parseJournal(readAt(file.get(), 0, fileSize(file.get())));
    if (!content) {
        const FolderLock lock(dir.get(), LOCK_EX);
        if (lock.isHeld())
            putAside(dir.get(), runId, kDamagedSuffix);
        report.status = UndoStatus::JournalUnreadable;
        return report;
    }
    // A run that ended normally removed each placeholder it made: what holds a new name now
    // is someone else's.
    if (journal::tallyOf(tailOf(file.get()), versionOf(file.get())).files.has_value())
        std::erase_if(content->steps, [](const JournalStep& step) {
            return step.kind == StepKind::PlaceholderMade;
        });
    report = undoRenames(content->folder, content->steps, progress);
    if (report.status != UndoStatus::Undone)
        return report;
    const std::vector<JournalStep> left = stepsLeft(content->steps, report);
    if (left.empty())
        dropRun(dir.get(), runId);
    else
        keepSteps(dir.get(), runId, *content, left, tallyOf(report).restored == 0);
    return report;
}

bool RenameJournal::markComplete(qint64 runId) const
{
    const FileDescriptor dir = openFolder(m_folder);
    if (!dir.isOpen())
        return false;
    const FolderLock lock(dir.get(), LOCK_SH);
    const FileDescriptor file = lockedRun(dir.get(), runId, O_RDWR | O_APPEND, LOCK_EX);
    return lock.isHeld() && file.isOpen() && stateOf(file.get()) == JournalState::Started &&
           writeAll(file.get(), journal::completeMark(versionOf(file.get()))) &&
           ::fdatasync(file.get()) == 0;
}

bool RenameJournal::setAside(qint64 runId) const
{
    const FileDescriptor dir = openFolder(m_folder);
    if (!dir.isOpen())
        return false;
    const FolderLock lock(dir.get(), LOCK_EX);
    const FileDescriptor file = lockedRun(dir.get(), runId, O_RDONLY, LOCK_EX);
    return lock.isHeld() && file.isOpen() && putAside(dir.get(), runId, kSetAsideSuffix);
}

} // namespace vornak
