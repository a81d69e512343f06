#include "core/run/RunUndo.h"

#include "core/fs/FileDescriptor.h"
#include "core/fs/FolderSpellings.h"
#include "core/fs/FolderTree.h"
#include "core/fs/OpenFolder.h"

#include <QHash>

#include <span>

#include <cerrno>
#include <fcntl.h>
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

// Removes a placeholder the step made, while it is still the empty file made.
UndoStep removePlaceholder(int dir, const JournalStep& step)
{
    UndoStep done{step.oldName, step.newName, UndoOutcome::Restored, 0};
    const auto now = identityAt(dir, step.newName.constData());
    if (!now)
        done.outcome = UndoOutcome::NotRenamed;
    else if (now->size != 0 || (step.identity && !holds(dir, step.newName, step.identity)))
        done.outcome = UndoOutcome::Changed;
    else if (::unlinkat(dir, step.newName.constData(), 0) != 0)
        done = {step.oldName, step.newName, UndoOutcome::Failed, errno};
    return done;
}

UndoStep undoAnyStep(int dir, OpenFolder& folder, const JournalStep& step,
                     StartingPlaces& startingPlaces, Spellings& spellings)
{
    if (step.kind == StepKind::ToTrash)
        return {step.oldName, step.newName, UndoOutcome::Failed, ENOTSUP};
    if (step.kind == StepKind::PlaceholderMade)
        return removePlaceholder(dir, step);
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

// Undoes the steps of one folder, the last first: a run renames folder by folder.
void undoFolderSteps(int dir, std::span<const JournalStep> steps, UndoReport& report,
                     const std::function<void()>& stepDone)
{
    const std::vector<JournalStep> folderSteps(steps.begin(), steps.end());
    OpenFolder renamer{FileDescriptor(::dup(dir))};
    StartingPlaces startingPlaces(dir, folderSteps);
    Spellings spellings(dir);
    for (auto step = folderSteps.rbegin(); step != folderSteps.rend(); ++step) {
        report.steps.push_back(withSubfolder(
            undoAnyStep(dir, renamer, *step, startingPlaces, spellings), step->subfolder));
        stepDone();
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
    const auto stepDone = [&] {
        if (progress)
            progress(report.steps.size(), steps.size());
    };
    for (std::size_t end = steps.size(); end > 0;) {
        std::size_t begin = end - 1;
        while (begin > 0 && steps[begin - 1].subfolder == steps[end - 1].subfolder)
            --begin;
        const std::span<const JournalStep> group(steps.data() + begin, end - begin);
        const FileDescriptor dir = openTreeFolder(top.get(), group.front().subfolder);
        if (dir.isOpen()) {
            undoFolderSteps(dir.get(), group, report, stepDone);
        } else {
            const int error = errno;
            for (auto step = group.rbegin(); step != group.rend(); ++step) {
                report.steps.push_back(withSubfolder(
                    {step->oldName, step->newName, UndoOutcome::Failed, error}, step->subfolder));
                stepDone();
            }
        }
        end = begin;
    }
    return report;
}

} // namespace vornak
