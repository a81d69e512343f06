#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vornak {

// Why a file kept its name, or that it was renamed.
enum class RenameOutcome {
    Renamed,
    TargetExists,   // an entry already holds the new name
    NameTooLong,    // longer than the volume stores
    NoPermission,   // not allowed, or the volume is read-only
    SourceGone,     // the file is no longer there
    NameNotAllowed, // the volume cannot store the new name
    Other,
};

// Where the file went. A case-only rename on a volume that ignores case and does not take a
// direct rename passes through the folder's step name for the file (caseStepName).
enum class RenameRoute {
    Direct,          // straight to the new name, or nowhere
    ThroughStepName, // through the step name, on to the new name or back to the old one
    LeftAtStepName,  // failed, and the file could not be moved back from the step name
};

struct RenameResult {
    RenameOutcome outcome = RenameOutcome::Other;
    RenameRoute route = RenameRoute::Direct;
    // The error number of the call that failed, for the message; 0 when renamed, or when the
    // refusal comes from the program's own reading of the folder.
    int error = 0;

    bool renamed() const { return outcome == RenameOutcome::Renamed; }
};

// The name a case-only rename of the file named oldName passes through when it must:
// "vornak-step-" and the 64-bit FNV-1a hash of the old name's bytes in 16 lower-case hex
// digits. It depends on nothing else, so a journal written before a run knows it; it is
// plain ASCII that every volume stores, and visible in the file list so that a file stranded
// there is not hidden from its owner.
QByteArray caseStepName(QByteArrayView oldName);

} // namespace vornak
