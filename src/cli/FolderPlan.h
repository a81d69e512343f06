#pragma once

#include "cli/PlanRequest.h"
#include "core/names/NameList.h"
#include "core/plan/PlannedBatch.h"

#include <variant>

namespace vornak {

// A folder's batch, planned as the batch preview plans it for the same rules.
struct FolderPlan {
    QByteArray folder;
    NameList entries;
    PlannedBatch batch;
};

enum class PlanFailure {
    FolderUnreadable, // the folder cannot be listed
    NoSuchFile,       // --only names a file the list does not hold
};

// Lists the folder's files through the request's pattern, reads the dates its order needs
// (on a background job, waited for) and plans the batch.
std::variant<FolderPlan, PlanFailure> planFolder(const PlanRequest& request);

} // namespace vornak
