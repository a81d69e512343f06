#pragma once

#include "core/fs/FolderTree.h"
#include "core/names/FilePattern.h"
#include "core/names/NameList.h"
#include "core/plan/PlannedBatch.h"
#include "core/plan/TreePlan.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace vornak {

// The folder of each row of the batch preview's table while it shows a tree: a folder's rows
// follow those of the folders before it.
struct FolderRows {
    std::vector<QByteArray> paths;      // per folder, relative to the top folder
    std::vector<std::size_t> firstRows; // per folder, the first of its rows

    const QByteArray& pathOfRow(std::size_t row) const;
};

// A tree as the batch preview plans it: each folder's batch, which its run does, and all of
// them joined into the one batch its table shows (rows and run order folder after folder).
struct BatchPreviewTree {
    std::vector<PlannedFolder> folders;
    std::vector<UnreadableFolder> unreadable;
    NameList entries; // every folder's entries, folder after folder
    PlannedBatch joined;
    FolderRows rows;
};

// Walks the tree below top (with a trailing separator) as walkFolderTree does and plans it as
// planTree does; nothing when top cannot be read.
std::shared_ptr<const BatchPreviewTree> planPreviewTree(const QByteArray& top,
                                                        const FilePattern& pattern,
                                                        const TreeRequest& request,
                                                        const NameRules& rules);

// Two plans of the same entries whose tables and runs are alike.
bool sameRows(const PlannedBatch& one, const PlannedBatch& other);
// Two plans of the same folders and entries whose tables and runs are alike.
bool sameTree(const BatchPreviewTree& one, const BatchPreviewTree& other);

} // namespace vornak
