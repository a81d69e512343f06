#pragma once

#include "core/jobs/JobControl.h"
#include "core/names/NameList.h"
#include "core/plan/PlannedBatch.h"
#include "core/plan/RenamePlan.h"
#include "core/plan/TreePlan.h"
#include "core/run/KeptFile.h"
#include "core/run/RenameJournal.h"

#include <QByteArray>

#include <vector>

namespace vornak {

// A rename run as a window hands it over: taken whole when the run starts, so nothing that
// changes on screen meanwhile changes the run.
struct RenameJob {
    // The folder of the files, with or without a trailing separator.
    QByteArray folder;
    // The renames in the order they are done (as planRenames or a BatchPlan orders them).
    std::vector<Rename> plan;
    // Files the plan leaves as they are although a new name was composed for them, with the
    // reason; reported with the files the run could not rename. In a folder below folder, a
    // file's names are given with that folder: sub/name.
    std::vector<KeptFile> keptBefore;
    // The plan's renames folder by folder, for a run over folders below folder too; empty when
    // every rename is in folder itself.
    std::vector<FolderStretch> folders;
};

// The job of the main window's run: the wanted renames (in list order) as planRenames orders
// them, a cycle through a name free in the folder. Those with a new name that cannot be an
// entry are kept as not allowed. Renames to the name the file has already are no renames at
// all.
RenameJob plannedJob(QByteArray folder, const std::vector<Rename>& wanted);

// The job of a batch planned with its statuses (the batch preview's run): the renames its plan
// does, and every row with a problem status kept with that status as its reason.
RenameJob batchJob(QByteArray folder, const PlannedBatch& batch, const NameList& entries);

// The job of a tree's batches, planned folder by folder (planTree): folder is the tree's top.
RenameJob treeJob(QByteArray folder, const std::vector<PlannedFolder>& planned);

// What a run did.
struct RunRecord {
    // Anything but None: the journal could not be written, so nothing was renamed.
    JournalError journalError = JournalError::None;
    int journalErrorNumber = 0;
    // Per step of the plan: the file received its new name.
    std::vector<bool> renamed;
    std::size_t renamedCount = 0;
    // The job's keptBefore, then the steps that failed and those not reached, in plan order.
    std::vector<KeptFile> kept;
};

// The parts of a run (and of an undo) as its JobControl tells them, for the progress shown.
enum class RunPhase : int {
    // Reading the folder, composing the names, journaling them: no file renamed yet.
    Preparing,
    // Renaming (or giving back) file after file; the control counts the steps done of all.
    Renaming,
    // Reading the folder again and making the outcome's lines.
    Finishing,
};

// Journals the plan (see RenameJournal::begin), then renames in order (folder by folder, each
// opened below the job's folder without following links), never replacing a
// file, and marks the run complete, also when it was asked to stop. A step that fails with its
// new name held by a file of the run that keeps its name counts as waiting on that file. A file
// of a cycle is told of by its own names; one that cannot go on from its temporary name goes
// back to its own, or is told of where it was left (as is one a stop leaves there), and counts
// among the files undo gives back.
// With a control, the run counts its steps there and stops after the step in hand once asked.
[[nodiscard]] RunRecord runJob(const RenameJournal& journal, const RenameJob& job,
                               JobControl* control = nullptr);

// The name the file called name before the run has after it.
QByteArray nameAfterRun(const RenameJob& job, const RunRecord& record, QByteArray name);

} // namespace vornak
