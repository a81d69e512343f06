#include "core/run/TrashRun.h"

#include "core/fs/FileDescriptor.h"
#include "core/names/NativePath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace vornak {

namespace {

// Whether the file the name leads to still has the length and time the check found. The
// identity was taken of the name itself: only through a symbolic link is the file looked at
// again.
bool isUnchanged(int dir, const TrashCandidate& candidate, const FileIdentity& identity)
{
    if (!candidate.symbolic)
        return identity.size == candidate.length && identity.modifiedNs == candidate.modifiedNs;
    struct stat st {};
    return ::fstatat(dir, candidate.name.constData(), &st, 0) == 0 &&
           st.st_size == candidate.length &&
           qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec == candidate.modifiedNs;
}

} // namespace

TrashRunRecord runToTrash(const RenameJournal& journal, const Trash& trash,
                          const QByteArray& folder, const std::vector<TrashCandidate>& names,
                          JobControl* control)
{
    TrashRunRecord record;
    record.steps.resize(names.size());
    const FileDescriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.isOpen()) {
        record.journalError = JournalError::FolderUnavailable;
        record.journalErrorNumber = errno;
        return record;
    }
    const QByteArray base = withTrailingSeparator(folder);
    const IdentityKind kind = identityKindOf(dir.get());
    std::vector<JournalStep> steps;
    std::vector<std::size_t> stepOf;
    steps.reserve(names.size());
    stepOf.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QByteArray& name = names[i].name;
        const auto identity = identityAt(dir.get(), name.constData(), kind, false);
        if (!identity) {
            record.steps[i] = {TrashOutcome::Failed, errno};
            continue;
        }
        if (!isUnchanged(dir.get(), names[i], *identity)) {
            record.steps[i] = {TrashOutcome::Failed, 0, true};
            continue;
        }
        const TrashResult claimed = trash.claim(base + name);
        record.steps[i] = {claimed.outcome, claimed.error};
        if (claimed.outcome == TrashOutcome::Trashed) {
            steps.push_back({name, claimed.trashedAs, identity, StepKind::ToTrash, {}});
            stepOf.push_back(i);
        }
    }
    JournalRun run = journal.beginSteps(folder, steps);
    if (!run.isStarted()) {
        for (const JournalStep& step : steps)
            Trash::release(step.newName);
        record.journalError = run.error();
        record.journalErrorNumber = run.errorNumber();
        return record;
    }
    if (control)
        control->setProgress(0, qint64(steps.size()));
    for (std::size_t s = 0; s < steps.size(); ++s) {
        TrashStepResult& result = record.steps[stepOf[s]];
        if (control && control->stopRequested()) {
            Trash::release(steps[s].newName);
            result = {TrashOutcome::Failed, ECANCELED};
            continue;
        }
        const int error = Trash::moveClaimed(base + steps[s].oldName, steps[s].newName);
        result = {error == 0 ? TrashOutcome::Trashed : TrashOutcome::Failed, error};
        record.moved += error == 0 ? 1 : 0;
        if (control)
            control->setProgress(qint64(s + 1), qint64(steps.size()));
    }
    (void)run.finish(record.moved);
    return record;
}

} // namespace vornak
