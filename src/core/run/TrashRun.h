#pragma once

#include "core/jobs/JobControl.h"
#include "core/run/RenameJournal.h"
#include "core/trash/Trash.h"

#include <QByteArray>

#include <vector>

namespace vornak {

// A name to move, with what its file held when it was found to be a copy: a file that has
// changed since is no copy any more and stays.
struct TrashCandidate {
    QByteArray name;
    // The length and time of the file the name leads to (a link followed).
    qint64 length = 0;
    qint64 modifiedNs = 0;
    // The name is a symbolic link: its own length and time are not its file's.
    bool symbolic = false;
};

// What became of one file of a run to the trash.
struct TrashStepResult {
    // Trashed, or why the file stayed where it was: its volume has no usable trash, or it could
    // not be examined, claimed a place in the trash or moved (error says why; ECANCELED for a
    // file the run stopped before).
    TrashOutcome outcome = TrashOutcome::Failed;
    int error = 0;
    // Failed because the file is not what it was when found to be a copy.
    bool changed = false;
};

struct TrashRunRecord {
    // Anything but None: the journal could not be written, so nothing was moved.
    JournalError journalError = JournalError::None;
    int journalErrorNumber = 0;
    // Per name of the run, in its order.
    std::vector<TrashStepResult> steps;
    std::size_t moved = 0;
};

// Moves the named entries of folder to the trash as one run of the journal, so that undo puts
// them back: leaves out a file changed since it was found, claims each one's place in the trash,
// journals every claimed place with the entry's identity and flushes it, and only then moves the
// entries, never replacing anything. A run that cannot be journaled releases its claims and moves
// nothing. With a control, the run counts its files there and stops after the one in hand once
// asked.
[[nodiscard]] TrashRunRecord runToTrash(const RenameJournal& journal, const Trash& trash,
                                        const QByteArray& folder,
                                        const std::vector<TrashCandidate>& names,
                                        JobControl* control = nullptr);

} // namespace vornak
