#include "RunUndo.h"

#include "FileDescriptor.h"
#include "OpenFolder.h"

#include <QHash>

#include <cerrno>
#include <fcntl.h>

namespace vornak {

namespace {

// Finds whether a step's file is still where it was before the run. Usually that is the
// step's old name; a file moved through a temporary name started at the old name of the first
// step that moved it, which is looked up only for such files.
class StartingPlaces {
public:
    StartingPlaces(int dir, const std::vector<JournalStep>& steps) : m_dir(dir), m_steps(steps) {}

    bool holds(const JournalStep& step)
    {
        if (identityAt(m_dir, step.oldName.constData()) == step.identity)
            return true;
        if (m_firstStep.isEmpty())
            for (std::size_t i = m_steps.size(); i-- > 0;)
                if (m_steps[i].identity)
                    m_firstStep.insert(*m_steps[i].identity, i);
        const auto first = m_firstStep.constFind(*step.identity);
        return first != m_firstStep.cend() &&
               identityAt(m_dir, m_steps[*first].oldName.constData()) == step.identity;
    }

private:
    int m_dir;
    const std::vector<JournalStep>& m_steps;
    QHash<FileIdentity, std::size_t> m_firstStep;
};

UndoStep undoStep(int dir, OpenFolder& folder, const JournalStep& step,
                  StartingPlaces& startingPlaces)
{
    UndoStep done{step.oldName, step.newName, UndoOutcome::Failed, 0};
    const auto atNewName = identityAt(dir, step.newName.constData());
    if (step.identity && atNewName == step.identity) {
        if (folder.renameNoReplace(step.newName, step.oldName).renamed()) {
            done.outcome = UndoOutcome::Restored;
            return done;
        }
        done.error = errno;
        if (identityAt(dir, step.oldName.constData()))
            done.outcome = UndoOutcome::OldNameTaken;
        return done;
    }
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
    report.steps.reserve(steps.size());
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        report.steps.push_back(undoStep(dir.get(), renamer, *step, startingPlaces));
        if (progress)
            progress(report.steps.size(), steps.size());
    }
    return report;
}

} // namespace vornak
