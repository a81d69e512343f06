#include "core/run/KeptFile.h"

namespace vornak {

KeptReason keptReasonOf(RenameOutcome outcome)
{
    switch (outcome) {
    case RenameOutcome::TargetExists:
        return KeptReason::NameTaken;
    case RenameOutcome::NameTooLong:
        return KeptReason::NameTooLong;
    case RenameOutcome::NoPermission:
        return KeptReason::NoPermission;
    case RenameOutcome::SourceGone:
        return KeptReason::FileGone;
    case RenameOutcome::NameNotAllowed:
        return KeptReason::NameNotAllowed;
    case RenameOutcome::Renamed:
    case RenameOutcome::Other:
        break;
    }
    return KeptReason::Failed;
}

KeptReason keptReasonOf(RenameStatus status)
{
    switch (status) {
    case RenameStatus::NameTaken:
        return KeptReason::NameTaken;
    case RenameStatus::DuplicateInBatch:
        return KeptReason::DuplicateInBatch;
    case RenameStatus::CycleOrBlocked:
        return KeptReason::WaitsOnFile;
    case RenameStatus::NameTooLong:
        return KeptReason::NameTooLong;
    case RenameStatus::NameNotAllowed:
        return KeptReason::NameNotAllowed;
    case RenameStatus::Change:
    case RenameStatus::Hides:
    case RenameStatus::CaseOnly:
    case RenameStatus::CycleThroughTemporary:
    case RenameStatus::Unchanged:
    case RenameStatus::ExpressionTooComplex:
    case RenameStatus::MissingField:
    case RenameStatus::Unticked:
        break;
    }
    return KeptReason::Failed;
}

} // namespace vornak
