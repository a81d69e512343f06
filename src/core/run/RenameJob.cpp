#include "core/run/RenameJob.h"

#include "core/fs/FolderTree.h"
#include "core/fs/OpenFolder.h"

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iterator>
#include <tuple>

namespace vornak {

namespace {

// A name in a folder below the run's folder, as the user is told it.
QByteArray pathBelow(const QByteArray& folder, const QByteArray& name)
{
    return folder.isEmpty() ? name : folder + '/' + name;
}

} // namespace

RenameJob plannedJob(QByteArray folder, const std::vector<Rename>& wanted)
{
    RenameJob job{std::move(folder), planRenames(wanted), {}, {}};
    const auto changes = std::size_t(std::count_if(
        wanted.begin(), wanted.end(), [](const Rename& r) { return r.oldName != r.newName; }));
    if (job.plan.size() == changes)
        return job;
    QSet<QByteArrayView> planned;
    planned.reserve(qsizetype(job.plan.size()));
    for (const Rename& step : job.plan)
        planned.insert(step.oldName);
    for (const Rename& rename : wanted)
        if (rename.oldName != rename.newName && !planned.contains(rename.oldName))
            job.keptBefore.push_back({rename.oldName, rename.newName,
                                      isEntryName(rename.newName) ? KeptReason::WaitsOnFile
                                                                  : KeptReason::NameNotAllowed});
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
    // Files at a step name are moved too: undo gives them their names back.
    std::size_t leftAtStepName = 0;
    const auto stopped = [control] { return control && control->stopRequested(); };
    // Asked to stop while it journaled, the run renames nothing.
    for (std::size_t stretch = 0; stretch < stretches.size() && !stopped(); ++stretch) {
        const QByteArray& path = stretches[stretch].path;
        OpenFolder folder(top.isOpen() ? openTreeFolder(top.get(), path) : FileDescriptor());
        const std::size_t end = done + stretches[stretch].renames;
        for (; done < end && !stopped(); ++done) {
            const Rename& step = plan[done];
            const RenameResult result = folder.renameNoReplace(step.oldName, step.newName);
            if (result.renamed()) {
                record.renamed[done] = true;
                ++record.renamedCount;
            } else if (result.route == RenameRoute::LeftAtStepName) {
                record.kept.push_back({pathBelow(path, step.oldName), pathBelow(path, step.newName),
                                       KeptReason::LeftAtStepName});
                ++leftAtStepName;
            } else {
                KeptReason reason = keptReasonOf(result.outcome);
                if (reason == KeptReason::NameTaken &&
                    staying.contains(pathBelow(path, step.newName)))
                    reason = KeptReason::WaitsOnFile;
                record.kept.push_back({pathBelow(path, step.oldName), pathBelow(path, step.newName),
                                       reason, result.error});
                staying.insert(pathBelow(path, step.oldName));
            }
            if (control)
                control->setProgress(qint64(done + 1), total);
        }
    }
    std::size_t stretchEnd = 0;
    for (const FolderStretch& stretch : stretches) {
        const std::size_t begin = stretchEnd;
        stretchEnd += stretch.renames;
        for (std::size_t k = std::max(begin, done); k < stretchEnd; ++k)
            record.kept.push_back({pathBelow(stretch.path, plan[k].oldName),
                                   pathBelow(stretch.path, plan[k].newName),
                                   KeptReason::Cancelled});
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
