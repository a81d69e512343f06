#pragma once

#include "cli/PlanRequest.h"
#include "core/names/NameList.h"
#include "core/plan/PlannedBatch.h"
#include "core/plan/TreePlan.h"

#include <variant>

namespace vornak {

// A folder's batch, planned as the batch preview plans it for the same rules; with -r, the
// batches of every folder below it too.
struct FolderPlan {
    QByteArray folder;
    std::vector<PlannedFolder> folders; // the folder itself alone, as "", unless a tree
    bool tree = false;
    std::vector<UnreadableFolder> unreadable; // folders of the tree that could not be read
};

enum class PlanFailure {
    FolderUnreadable, // the folder cannot be listed
    NoSuchFile,       // --only names a file the list does not hold
    OnlyInTree,       // --only with -r
};

// Lists the folder's files through the request's pattern, reads the dates its order needs
// (on a background job, waited for) and plans the batch.
std::variant<FolderPlan, PlanFailure> planFolder(const PlanRequest& request);

} // namespace vornak
