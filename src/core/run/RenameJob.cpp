#include "core/run/RenameJob.h"

#include "core/fs/OpenFolder.h"

#include <QSet>

#include <algorithm>
#include <tuple>

namespace vornak {

RenameJob plannedJob(QByteArray folder, const std::vector<Rename>& wanted)
{
    RenameJob job{std::move(folder), planRenames(wanted), {}};
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
    RenameJob job{std::move(folder), batch.renames(entries), {}};
    const std::vector<RenameStatus>& statuses = batch.plan.statuses;
    for (std::size_t row = 0; row < statuses.size(); ++row)
        if (isProblem(statuses[row]))
            job.keptBefore.push_back({entries.nameAt(batch.entryAt(row)), batch.newNames[row],
                                      keptReasonOf(statuses[row])});
    return job;
}

RunRecord runJob(const RenameJournal& journal, const RenameJob& job, JobControl* control)
{
    RunRecord record;
    record.kept = job.keptBefore;
    const std::vector<Rename>& plan = job.plan;
    if (plan.empty())
        return record;
    JournalRun run = journal.begin(job.folder, plan);
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
    OpenFolder folder(job.folder);
    record.renamed.assign(plan.size(), false);
    // The names of the files of the run that keep them.
    QSet<QByteArray> staying;
    for (const KeptFile& kept : job.keptBefore)
        staying.insert(kept.oldName);
    std::size_t done = 0;
    // Files at a step name are moved too: undo gives them their names back.
    std::size_t leftAtStepName = 0;
    // Asked to stop while it journaled, the run renames nothing.
    while (done < plan.size() && !(control && control->stopRequested())) {
        const Rename& step = plan[done];
        const RenameResult result = folder.renameNoReplace(step.oldName, step.newName);
        if (result.renamed()) {
            record.renamed[done] = true;
            ++record.renamedCount;
        } else if (result.route == RenameRoute::LeftAtStepName) {
            record.kept.push_back({step.oldName, step.newName, KeptReason::LeftAtStepName});
            ++leftAtStepName;
        } else {
            KeptReason reason = keptReasonOf(result.outcome);
            if (reason == KeptReason::NameTaken && staying.contains(step.newName))
                reason = KeptReason::WaitsOnFile;
            record.kept.push_back({step.oldName, step.newName, reason, result.error});
            staying.insert(step.oldName);
        }
        ++done;
        if (control)
            control->setProgress(qint64(done), total);
    }
    for (; done < plan.size(); ++done)
        record.kept.push_back({plan[done].oldName, plan[done].newName, KeptReason::Cancelled});
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
