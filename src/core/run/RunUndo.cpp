#include "core/run/RunUndo.h"

#include "core/fs/FileDescriptor.h"
#include "core/fs/FolderSpellings.h"
#include "core/fs/OpenFolder.h"

#include <QHash>

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
    StartingPlaces(int dir, const std::vector<JournalStep>& steps) : m_dir(dir), m_steps(steps) {}

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
    const std::vector<JournalStep>& m_steps;
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

} // namespace

// Removes the placeholder a step made and left when the run was cut short before the file
// moved over it. renameUndone is the undo of the step's rename, just before: only where that
// rename never happened is the file at the new name no file of the run. There, an empty
// regular file made since the run began is the placeholder; one written to since is told of,
// and anything older than the run is someone else's and stays, unmentioned.
UndoStep undoPlaceholder(int dir, const JournalStep& step, const UndoStep* renameUndone)
{
    // FAT keeps modification times to two seconds.
    constexpr qint64 kCoarsestTimesNs = 2'000'000'000;
    UndoStep done{step.oldName, step.newName, UndoOutcome::NotRenamed, 0};
    struct stat st {};
    if (!renameUndone || renameUndone->outcome != UndoOutcome::NotRenamed ||
        renameUndone->oldName != step.oldName || renameUndone->newName != step.newName ||
        !step.identity || ::fstatat(dir, step.newName.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode) ||
        qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec <
            step.identity->modifiedNs - kCoarsestTimesNs)
        return done;
    if (st.st_size != 0)
        done.outcome = UndoOutcome::PlaceholderKept;
    else if (::unlinkat(dir, step.newName.constData(), 0) != 0)
        done = {step.oldName, step.newName, UndoOutcome::PlaceholderKept, errno};
    else
        done.outcome = UndoOutcome::PlaceholderRemoved;
    return done;
}

UndoStep undoAnyStep(int dir, OpenFolder& folder, const JournalStep& step,
                     StartingPlaces& startingPlaces, Spellings& spellings)
{
    if (!step.subfolder.isEmpty() || step.kind == StepKind::ToTrash)
        return {step.oldName, step.newName, UndoOutcome::Failed, ENOTSUP};
    return undoStep(dir, folder, step, startingPlaces, spellings);
}

UndoReport undoRenames(const QByteArray& folder, const std::vector<JournalStep>& steps,
                       const UndoProgress& progress)
{
    UndoReport report{UndoStatus::Undone, 0, folder, {}};
    const FileDescriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.isOpen()) {
        report.status = UndoStatus::FolderUnavailable;
        report.error = errno;
        return report;
    }
    OpenFolder renamer(folder);
    StartingPlaces startingPlaces(dir.get(), steps);
    Spellings spellings(dir.get());
    report.steps.reserve(steps.size());
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        const UndoStep* later = report.steps.empty() ? nullptr : &report.steps.back();
        report.steps.push_back(
            step->kind == StepKind::PlaceholderMade
                ? undoPlaceholder(dir.get(), *step, later)
                : undoAnyStep(dir.get(), renamer, *step, startingPlaces, spellings));
        if (progress)
            progress(report.steps.size(), steps.size());
    }
    return report;
}

UndoTally tallyOf(const UndoReport& report)
{
    UndoTally tally;
    for (const UndoStep& step : report.steps) {
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
