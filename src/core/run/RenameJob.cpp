#include "core/run/RenameJob.h"

#include "core/fs/FolderTree.h"
#include "core/fs/OpenFolder.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>
#include <tuple>

namespace vornak {

namespace {

// The first leg of a cycle's move: the name the file had, the step, and how it went.
struct FirstLeg {
    QByteArray oldName;
    std::size_t step = 0;
    RenameResult result;
};

// A name in a folder below the run's folder, as the user is told it.
QByteArray pathBelow(const QByteArray& folder, const QByteArray& name)
{
    return folder.isEmpty() ? name : folder + '/' + name;
}

} // namespace

RenameJob plannedJob(QByteArray folder, const std::vector<Rename>& wanted)
{
    // A temporary name must be free in the folder as well as in the run.
    const FileDescriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    RenameJob job{std::move(folder),
                  planRenames(wanted,
                              [&dir](const QByteArrayView& name) {
                                  struct stat st {};
                                  return ::fstatat(dir.get(), name.toByteArray().constData(), &st,
                                                   AT_SYMLINK_NOFOLLOW) == 0;
                              }),
                  {},
                  {}};
    for (const Rename& rename : wanted)
        if (rename.oldName != rename.newName && !isEntryName(rename.newName))
            job.keptBefore.push_back({rename.oldName, rename.newName, KeptReason::NameNotAllowed});
    return job;
}

RenameJob batchJob(QByteArray folder, const PlannedBatch& batch, const NameList& entries)
{
    RenameJob job{std::move(folder), batch.renames(entries), {}, {}};
    const std::vector<RenameStatus>& statuses = batch.plan.statuses;
    // A file lacking a field of the pattern was given no new name: nothing was kept from it.
    for (std::size_t row = 0; row < statuses.size(); ++row)
        if (isProblem(statuses[row]) && statuses[row] != RenameStatus::MissingField)
            job.keptBefore.push_back({entries.nameAt(batch.entryAt(row)), batch.newNames[row],
                                      keptReasonOf(statuses[row])});
    return job;
}

RenameJob treeJob(QByteArray folder, const std::vector<PlannedFolder>& planned)
{
    RenameJob job{std::move(folder), {}, {}, {}};
    for (const PlannedFolder& one : planned) {
        RenameJob part = batchJob({}, one.batch, one.entries);
        for (KeptFile& kept : part.keptBefore)
            job.keptBefore.push_back({pathBelow(one.path, kept.oldName),
                                      pathBelow(one.path, kept.newName), kept.reason, kept.error});
        if (part.plan.empty())
            continue;
        job.folders.push_back({one.path, part.plan.size()});
        std::move(part.plan.begin(), part.plan.end(), std::back_inserter(job.plan));
    }
    return job;
}

RunRecord runJob(const RenameJournal& journal, const RenameJob& job, JobControl* control)
{
    RunRecord record;
    record.kept = job.keptBefore;
    const std::vector<Rename>& plan = job.plan;
    if (plan.empty())
        return record;
    JournalRun run = journal.begin(job.folder, plan, job.folders);
    if (!run.isStarted()) {
        record.journalError = run.error();
        record.journalErrorNumber = run.errorNumber();
        return record;
    }
    const auto total = qint64(plan.size());
    if (control) {
        control->setProgress(0, total);
        control->setPhase(int(RunPhase::Renaming));
    }
    const std::vector<FolderStretch> stretches =
        job.folders.empty() ? std::vector{FolderStretch{{}, plan.size()}} : job.folders;
    const FileDescriptor top(::open(job.folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    record.renamed.assign(plan.size(), false);
    // The names of the files of the run that keep them, with their folders.
    QSet<QByteArray> staying;
    for (const KeptFile& kept : job.keptBefore)
        staying.insert(kept.oldName);
    std::size_t done = 0;
    // Files at a step name or a temporary one are moved too: undo gives them their names back.
    std::size_t leftAtStepName = 0;
    // The first legs of the cycles' moves, by their temporary names (with their folders).
    QHash<QByteArray, FirstLeg> firstLegs;
    const auto stopped = [control] { return control && control->stopRequested(); };
    // Asked to stop while it journaled, the run renames nothing.
    for (std::size_t stretch = 0; stretch < stretches.size() && !stopped(); ++stretch) {
        const QByteArray& path = stretches[stretch].path;
        OpenFolder folder(top.isOpen() ? openTreeFolder(top.get(), path) : FileDescriptor());
        const std::size_t end = done + stretches[stretch].renames;
        for (; done < end && !stopped(); ++done) {
            const Rename& step = plan[done];
            const auto leg = firstLegs.isEmpty()
                                 ? firstLegs.cend()
                                 : firstLegs.constFind(pathBelow(path, step.oldName));
            const bool closing = leg != firstLegs.cend();
            const QByteArray& from = closing ? leg->oldName : step.oldName;
            RenameResult result;
            if (!closing || leg->result.renamed())
                result = folder.renameNoReplace(step.oldName, step.newName);
            else
                result = leg->result;
            // A file that cannot take its new name from a temporary one goes back to its own.
            const auto backToOwnName = [&] {
                return folder.renameNoReplace(step.oldName, from).renamed();
            };
            if (step.toTemporary) {
                record.renamed[done] = result.renamed();
                if (!result.renamed()) {
                    // The temporary name, not the new one, is what was taken.
                    if (result.outcome == RenameOutcome::TargetExists)
                        result = {RenameOutcome::Other, result.route, EEXIST};
                    staying.insert(pathBelow(path, step.oldName));
                }
                firstLegs.insert(pathBelow(path, step.newName), {step.oldName, done, result});
            } else if (result.renamed()) {
                record.renamed[done] = true;
                ++record.renamedCount;
            } else if (closing && leg->result.renamed() && !backToOwnName()) {
                record.kept.push_back({pathBelow(path, from), pathBelow(path, step.newName),
                                       KeptReason::LeftAtTemporary, result.error,
                                       pathBelow(path, step.oldName)});
                ++leftAtStepName;
            } else if (result.route == RenameRoute::LeftAtStepName) {
                record.kept.push_back({pathBelow(path, step.oldName), pathBelow(path, step.newName),
                                       KeptReason::LeftAtStepName});
                ++leftAtStepName;
            } else {
                if (closing)
                    record.renamed[leg->step] = false;
                KeptReason reason = keptReasonOf(result.outcome);
                if (reason == KeptReason::NameTaken &&
                    staying.contains(pathBelow(path, step.newName)))
                    reason = KeptReason::WaitsOnFile;
                record.kept.push_back(
                    {pathBelow(path, from), pathBelow(path, step.newName), reason, result.error});
                staying.insert(pathBelow(path, from));
            }
            if (control)
                control->setProgress(qint64(done + 1), total);
        }
    }
    std::size_t stretchEnd = 0;
    for (const FolderStretch& stretch : stretches) {
        const std::size_t begin = stretchEnd;
        stretchEnd += stretch.renames;
        // The cycles whose first legs were not reached either, by their temporary names.
        QHash<QByteArray, QByteArray> notReached;
        for (std::size_t k = std::max(begin, done); k < stretchEnd; ++k) {
            const QByteArray from = pathBelow(stretch.path, plan[k].oldName);
            const QByteArray to = pathBelow(stretch.path, plan[k].newName);
            const auto leg = firstLegs.constFind(from);
            if (plan[k].toTemporary)
                notReached.insert(to, from);
            else if (leg == firstLegs.cend())
                record.kept.push_back({notReached.value(from, from), to, KeptReason::Cancelled});
            else if (!leg->result.renamed())
                record.kept.push_back({pathBelow(stretch.path, leg->oldName), to,
                                       keptReasonOf(leg->result.outcome), leg->result.error});
            else {
                // Stopped inside a cycle: the file waits at its temporary name, which undo knows.
                record.kept.push_back({pathBelow(stretch.path, leg->oldName), to,
                                       KeptReason::LeftAtTemporary, 0, from});
                ++leftAtStepName;
            }
        }
    }
    // A mark that cannot be written costs a question at the next start, not a file.
    std::ignore = run.finish(record.renamedCount + leftAtStepName);
    return record;
}

QByteArray nameAfterRun(const RenameJob& job, const RunRecord& record, QByteArray name)
{
    for (std::size_t i = 0; i < record.renamed.size(); ++i)
        if (record.renamed[i] && job.plan[i].oldName == name)
            name = job.plan[i].newName;
    return name;
}

} // namespace vornak
