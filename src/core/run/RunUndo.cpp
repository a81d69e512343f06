#include "core/run/RunUndo.h"

#include "core/fs/FileDescriptor.h"
#include "core/fs/FileSystem.h"
#include "core/fs/FolderSpellings.h"
#include "core/fs/FolderTree.h"
#include "core/fs/OpenFolder.h"
#include "core/trash/Trash.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <optional>
#include <span>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornak {

namespace {

// Whether the entry name is the file identity stands for.
bool holds(int dir, const QByteArray& name, const std::optional<FileIdentity>& identity)
{
    return identity && identityLike(dir, name.constData(), *identity) == identity;
}

// Finds whether a step's file is still where it was before the run. Usually that is the
// step's old name; a file moved through a temporary name started at the old name of the first
// step that moved it, which is looked up only for such files.
class StartingPlaces {
public:
    StartingPlaces(int dir, std::span<const JournalStep> steps) : m_dir(dir), m_steps(steps) {}

    bool holds(const JournalStep& step)
    {
        if (vornak::holds(m_dir, step.oldName, step.identity))
            return true;
        if (m_firstStep.isEmpty())
            for (std::size_t i = m_steps.size(); i-- > 0;)
                if (m_steps[i].identity)
                    m_firstStep.insert(*m_steps[i].identity, i);
        const auto first = m_firstStep.constFind(*step.identity);
        return first != m_firstStep.cend() &&
               vornak::holds(m_dir, m_steps[*first].oldName, step.identity);
    }

private:
    int m_dir;
    std::span<const JournalStep> m_steps;
    QHash<FileIdentity, std::size_t> m_firstStep;
};

// Which spelling of a case-only step the folder holds. On a volume that ignores case, stat
// finds the file under either spelling, so only the folder's listing tells; it is read at the
// first case-only step and kept up to date by the steps undone after it.
class Spellings {
public:
    explicit Spellings(int dir) : m_dir(dir) {}

    bool holds(const QByteArray& name)
    {
        if (!m_read) {
            m_spellings = FolderSpellings::read(m_dir);
            m_read = true;
        }
        // A folder that cannot be listed leaves the answer to stat.
        return !m_spellings || m_spellings->holds(name);
    }
    void moved(const QByteArray& from, const QByteArray& to)
    {
        if (m_spellings)
            m_spellings->moved(from, to);
    }

private:
    int m_dir;
    bool m_read = false;
    std::optional<FolderSpellings> m_spellings;
};

// Moves the file back from where the step left it; Restored, or why not.
UndoStep moveBack(int dir, OpenFolder& folder, const JournalStep& step, const QByteArray& from,
                  Spellings& spellings)
{
    UndoStep done{step.oldName, step.newName, UndoOutcome::Restored, 0};
    const RenameResult moved = folder.renameNoReplace(from, step.oldName);
    if (moved.renamed()) {
        spellings.moved(from, step.oldName);
        return done;
    }
    done.error = moved.error;
    done.outcome =
        identityAt(dir, step.oldName.constData()) ? UndoOutcome::OldNameTaken : UndoOutcome::Failed;
    return done;
}

UndoStep undoStep(int dir, OpenFolder& folder, const JournalStep& step,
                  StartingPlaces& startingPlaces, Spellings& spellings)
{
    const bool caseOnly = FolderSpellings::differOnlyInCase(step.oldName, step.newName);
    bool atNewName = identityAt(dir, step.newName.constData()).has_value();
    if (caseOnly && atNewName && !spellings.holds(step.newName))
        atNewName = false;
    if (atNewName && holds(dir, step.newName, step.identity))
        return moveBack(dir, folder, step, step.newName, spellings);
    // A case-only rename cut short between its two moves left the file at its step name.
    if (caseOnly && holds(dir, caseStepName(step.oldName), step.identity))
        return moveBack(dir, folder, step, caseStepName(step.oldName), spellings);
    UndoStep done{step.oldName, step.newName, UndoOutcome::Failed, 0};
    if (step.identity && startingPlaces.holds(step))
        done.outcome = UndoOutcome::NotRenamed;
    else if (atNewName)
        done.outcome = UndoOutcome::Changed;
    else
        // A file that could not be examined before the run could not have been renamed.
        done.outcome = step.identity ? UndoOutcome::Missing : UndoOutcome::NotRenamed;
    return done;
}

// Removes the placeholder a run cut short left. A run claims a name just before it renames
// into it and removes the claim when that rename fails, so only the step it was on when it
// stopped can have left one: the step whose rename, like every rename after it, never
// happened, while the step before it moved its file (or it is the first). There an empty
// regular file made since the run began is the placeholder; one written to since is told of.
// Anywhere else, and for anything older than the run, the file at a new name is someone
// else's and stays, unmentioned.
class LeftPlaceholder {
public:
    // laterUnmoved: no step after these moved its file; kept up to date across folders.
    LeftPlaceholder(int dir, std::span<const JournalStep> steps, StartingPlaces& startingPlaces,
                    bool& laterUnmoved)
        : m_dir(dir), m_steps(steps), m_startingPlaces(startingPlaces), m_laterUnmoved(laterUnmoved)
    {}

    // The undo of the placeholder step steps[i]; next is the undo of the step after it in this
    // folder, none for the folder's last step.
    UndoStep undo(std::size_t i, const UndoStep* next)
    {
        const JournalStep& step = m_steps[i];
        UndoStep result{step.oldName, step.newName, UndoOutcome::NotRenamed, 0};
        struct stat st {};
        if (!m_laterUnmoved || !next || next->oldName != step.oldName ||
            next->newName != step.newName || !step.identity ||
            // On a volume that ignores case the new name finds the file itself.
            FolderSpellings::differOnlyInCase(step.oldName, step.newName) ||
            ::fstatat(m_dir, step.newName.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || !madeSince(st, step.identity->modifiedNs) ||
            !(i == 0 || movedItsFile(m_steps[i - 1])))
            return result;
        if (st.st_size != 0)
            result.outcome = UndoOutcome::PlaceholderKept;
        else if (::unlinkat(m_dir, step.newName.constData(), 0) != 0)
            result = {step.oldName, step.newName, UndoOutcome::PlaceholderKept, errno};
        else
            result.outcome = UndoOutcome::PlaceholderRemoved;
        return result;
    }
    // Notes each step undone, the last first.
    void passed(const UndoStep& step)
    {
        m_laterUnmoved = m_laterUnmoved && step.outcome == UndoOutcome::NotRenamed;
    }

private:
    static bool madeSince(const struct stat& st, qint64 sinceNs)
    {
        // FAT keeps modification times to two seconds.
        constexpr qint64 kCoarsestTimesNs = 2'000'000'000;
        return qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec >=
               sinceNs - kCoarsestTimesNs;
    }
    // Whether the step's file has left the place it had before the run (not yet undone: the
    // steps before are undone after).
    bool movedItsFile(const JournalStep& step)
    {
        return step.kind != StepKind::PlaceholderMade && step.identity &&
               !m_startingPlaces.holds(step);
    }

    int m_dir;
    std::span<const JournalStep> m_steps;
    StartingPlaces& m_startingPlaces;
    bool& m_laterUnmoved;
};

// Puts a file back from the trash to its place, never replacing what holds that place now,
// and only while the trash's entry is still the file moved there; its .trashinfo goes with it.
UndoStep undoFromTrash(int dir, const JournalStep& step)
{
    UndoStep done{step.oldName, step.newName, UndoOutcome::Failed, 0};
    const qsizetype slash = step.newName.lastIndexOf('/');
    const QByteArray trashed = step.newName.sliced(slash + 1);
    const FileDescriptor files(::open(step.newName.left(slash).constData(),
                                      O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (files.isOpen() && holds(files.get(), trashed, step.identity)) {
        done.error = fs::moveNoReplace(files.get(), trashed, dir, step.oldName);
        if (done.error == 0) {
            Trash::release(step.newName);
            done.outcome = UndoOutcome::Restored;
        } else if (identityAt(dir, step.oldName.constData())) {
            done.outcome = UndoOutcome::OldNameTaken;
        }
        return done;
    }
    if (holds(dir, step.oldName, step.identity)) {
        // A run cut short before this file moved may have left its claim in the trash.
        if (files.isOpen() && !identityAt(files.get(), trashed.constData()))
            Trash::release(step.newName);
        done.outcome = UndoOutcome::NotRenamed;
    } else {
        done.outcome = files.isOpen() && identityAt(files.get(), trashed.constData())
                           ? UndoOutcome::Changed
                           : UndoOutcome::Missing;
    }
    return done;
}
} // namespace

UndoStep undoAnyStep(int dir, OpenFolder& folder, const JournalStep& step,
                     StartingPlaces& startingPlaces, Spellings& spellings)
{
    if (step.kind == StepKind::ToTrash)
        return undoFromTrash(dir, step);
    return undoStep(dir, folder, step, startingPlaces, spellings);
}

// A step below the run's folder is told with its folder (sub/name), as the run tells its files.
UndoStep withSubfolder(UndoStep done, const QByteArray& subfolder)
{
    if (!subfolder.isEmpty()) {
        done.oldName = subfolder + '/' + done.oldName;
        done.newName = subfolder + '/' + done.newName;
    }
    return done;
}

bool isFileStep(const JournalStep& step)
{
    return step.kind != StepKind::PlaceholderMade;
}

// Undoes the steps of one folder, the last first: a run renames folder by folder.
void undoFolderSteps(int dir, std::span<const JournalStep> steps, UndoReport& report,
                     bool& laterUnmoved, const std::function<void(bool isFile)>& stepDone)
{
    OpenFolder renamer{FileDescriptor(::dup(dir))};
    StartingPlaces startingPlaces(dir, steps);
    Spellings spellings(dir);
    LeftPlaceholder leftPlaceholder(dir, steps, startingPlaces, laterUnmoved);
    QSet<QByteArray> temporaries;
    for (const JournalStep& step : steps)
        if (step.kind == StepKind::ThroughTemporary)
            temporaries.insert(step.newName);
    std::optional<UndoStep> next;
    for (std::size_t i = steps.size(); i-- > 0;) {
        const JournalStep& step = steps[i];
        next = isFileStep(step) ? undoAnyStep(dir, renamer, step, startingPlaces, spellings)
                                : leftPlaceholder.undo(i, next ? &*next : nullptr);
        next->fromTemporary = step.kind == StepKind::Rename && temporaries.contains(step.oldName);
        leftPlaceholder.passed(*next);
        report.steps.push_back(withSubfolder(*next, step.subfolder));
        stepDone(isFileStep(step));
    }
}

UndoReport undoRenames(const QByteArray& folder, const std::vector<JournalStep>& steps,
                       const UndoProgress& progress)
{
    UndoReport report{UndoStatus::Undone, 0, folder, {}};
    const FileDescriptor top(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!top.isOpen()) {
        report.status = UndoStatus::FolderUnavailable;
        report.error = errno;
        return report;
    }
    report.steps.reserve(steps.size());
    // Placeholders are not files: the progress counts files only.
    const auto files = std::size_t(std::count_if(steps.begin(), steps.end(), isFileStep));
    std::size_t filesDone = 0;
    const auto stepDone = [&](bool isFile) {
        filesDone += isFile ? 1 : 0;
        if (progress && isFile)
            progress(filesDone, files);
    };
    bool laterUnmoved = true;
    for (std::size_t end = steps.size(); end > 0;) {
        std::size_t begin = end - 1;
        while (begin > 0 && steps[begin - 1].subfolder == steps[end - 1].subfolder)
            --begin;
        const std::span<const JournalStep> group(steps.data() + begin, end - begin);
        const FileDescriptor dir = openTreeFolder(top.get(), group.front().subfolder);
        if (dir.isOpen()) {
            undoFolderSteps(dir.get(), group, report, laterUnmoved, stepDone);
        } else {
            // What the folder holds is unknown: no placeholder before it is taken for one left.
            const int error = errno;
            laterUnmoved = false;
            for (auto step = group.rbegin(); step != group.rend(); ++step) {
                const bool isFile = isFileStep(*step);
                report.steps.push_back(withSubfolder(
                    {step->oldName, step->newName,
                     isFile ? UndoOutcome::Failed : UndoOutcome::NotRenamed, isFile ? error : 0},
                    step->subfolder));
                stepDone(isFile);
            }
        }
        end = begin;
    }
    return report;
}

UndoTally tallyOf(const UndoReport& report)
{
    UndoTally tally;
    for (const UndoStep& step : report.steps) {
        if (step.fromTemporary)
            continue;
        if (step.outcome == UndoOutcome::Restored)
            ++tally.restored;
        else if (isTold(step) && step.outcome != UndoOutcome::PlaceholderKept)
            ++tally.notRestored;
    }
    return tally;
}

bool isTold(const UndoStep& step)
{
    return step.outcome != UndoOutcome::Restored && step.outcome != UndoOutcome::NotRenamed &&
           step.outcome != UndoOutcome::PlaceholderRemoved;
}

} // namespace vornak
