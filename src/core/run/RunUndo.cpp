#include "core/run/RunUndo.h"

#include "core/fs/FileDescriptor.h"
#include "core/fs/FolderSpellings.h"
#include "core/fs/OpenFolder.h"

#include <QHash>

#include <algorithm>
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

// Removes the placeholder a run cut short left. A run claims a name just before it renames
// into it and removes the claim when that rename fails, so only the step it was on when it
// stopped can have left one: the step whose rename, like every rename after it, never
// happened, while the step before it moved its file (or it is the first). There an empty
// regular file made since the run began is the placeholder; one written to since is told of.
// Anywhere else, and for anything older than the run, the file at a new name is someone
// else's and stays, unmentioned.
class LeftPlaceholder {
public:
    LeftPlaceholder(int dir, const std::vector<JournalStep>& steps, StartingPlaces& startingPlaces)
        : m_dir(dir), m_steps(steps), m_startingPlaces(startingPlaces)
    {}

    // The undo of the placeholder step steps[i]; done holds the steps after it, undone.
    UndoStep undo(std::size_t i, const std::vector<UndoStep>& done)
    {
        const JournalStep& step = m_steps[i];
        UndoStep result{step.oldName, step.newName, UndoOutcome::NotRenamed, 0};
        struct stat st {};
        if (!m_laterUnmoved || done.empty() || done.back().oldName != step.oldName ||
            done.back().newName != step.newName || !step.identity ||
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
    const std::vector<JournalStep>& m_steps;
    StartingPlaces& m_startingPlaces;
    bool m_laterUnmoved = true;
};

} // namespace

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
    LeftPlaceholder leftPlaceholder(dir.get(), steps, startingPlaces);
    const auto isFile = [](const JournalStep& step) {
        return step.kind != StepKind::PlaceholderMade;
    };
    const auto files = std::size_t(std::count_if(steps.begin(), steps.end(), isFile));
    std::size_t filesDone = 0;
    report.steps.reserve(steps.size());
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        report.steps.push_back(
            isFile(*step)
                ? undoAnyStep(dir.get(), renamer, *step, startingPlaces, spellings)
                : leftPlaceholder.undo(std::size_t(steps.rend() - step) - 1, report.steps));
        leftPlaceholder.passed(report.steps.back());
        filesDone += isFile(*step) ? 1 : 0;
        if (progress)
            progress(filesDone, files);
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
