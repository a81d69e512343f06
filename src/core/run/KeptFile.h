#pragma once

#include "core/fs/RenameResult.h"
#include "core/plan/RenameStatus.h"

#include <QByteArray>

#include <cstdint>

namespace vornak {

// Why a file of a run kept its name although a new one was composed for it.
enum class KeptReason : std::uint8_t {
    NameTaken,        // another entry holds the new name
    NameTooLong,      // the volume cannot store a name that long
    NoPermission,     // not allowed, or the volume is read-only
    FileGone,         // the file is no longer there
    NameNotAllowed,   // the volume cannot store the new name
    DuplicateInBatch, // another file of the run would get the same name
    WaitsOnFile,      // its new name is held by a file of the run that could not move
    LeftAtStepName,   // a case-only rename stopped half-way: the file has its step name
    LeftAtTemporary,  // a cycle's rename stopped half-way: the file has its temporary name
    Cancelled,        // the run was cancelled before it reached the file
    Failed,           // the file system refused for another reason
};

// A file that kept its name: its name, the name it was to receive, and why not; for Failed,
// the error number of the call that failed (0 where none did).
struct KeptFile {
    QByteArray oldName;
    QByteArray newName;
    KeptReason reason = KeptReason::Failed;
    int error = 0;
    // For LeftAtTemporary: the name the file has now.
    QByteArray temporaryName = {};
};

KeptReason keptReasonOf(RenameOutcome outcome);
// For a status that keeps the file (!isRenamed(status)) other than 不变.
KeptReason keptReasonOf(RenameStatus status);

} // namespace vornak
