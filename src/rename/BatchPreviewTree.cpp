#include "BatchPreviewTree.h"

#include <algorithm>

namespace vornak {

namespace {

void join(BatchPreviewTree& tree)
{
    PlannedBatch& joined = tree.joined;
    bool ordered = false;
    for (const PlannedFolder& folder : tree.folders) {
        const std::size_t first = tree.entries.size();
        tree.rows.paths.push_back(folder.path);
        tree.rows.firstRows.push_back(first);
        for (std::size_t k = 0; k < folder.entries.size(); ++k)
            tree.entries.append(folder.entries.bytesAt(k));
        const PlannedBatch& batch = folder.batch;
        joined.newNames.insert(joined.newNames.end(), batch.newNames.begin(), batch.newNames.end());
        joined.modifiedInstead.insert(joined.modifiedInstead.end(), batch.modifiedInstead.begin(),
                                      batch.modifiedInstead.end());
        joined.plan.statuses.insert(joined.plan.statuses.end(), batch.plan.statuses.begin(),
                                    batch.plan.statuses.end());
        for (std::size_t row : batch.plan.order)
            joined.plan.order.push_back(first + row);
        for (const TemporaryName& temporary : batch.plan.temporaries)
            joined.plan.temporaries.push_back({first + temporary.entry, temporary.name});
        joined.runnable = joined.runnable && batch.runnable;
        if (!batch.manual.empty() || !joined.manual.empty()) {
            joined.manual.resize(first, false);
            joined.manual.insert(joined.manual.end(), batch.manual.begin(), batch.manual.end());
        }
        ordered = ordered || !batch.shownOrder.empty();
        for (std::size_t k = 0; k < batch.rowCount(); ++k)
            joined.shownOrder.push_back(
                std::uint32_t(first + (batch.shownOrder.empty() ? k : batch.shownOrder[k])));
    }
    if (!joined.manual.empty())
        joined.manual.resize(joined.rowCount(), false);
    if (!ordered)
        joined.shownOrder.clear();
}

} // namespace

bool sameRows(const PlannedBatch& one, const PlannedBatch& other)
{
    return one.single == other.single && one.newNames == other.newNames &&
           one.modifiedInstead == other.modifiedInstead &&
           one.plan.statuses == other.plan.statuses && one.plan.order == other.plan.order &&
           one.plan.temporaries == other.plan.temporaries && one.runnable == other.runnable &&
           one.manual == other.manual && one.shownOrder == other.shownOrder;
}

const QByteArray& FolderRows::pathOfRow(std::size_t row) const
{
    const auto after = std::upper_bound(firstRows.begin(), firstRows.end(), row);
    return paths[std::size_t(after - firstRows.begin()) - 1];
}

std::shared_ptr<const BatchPreviewTree> planPreviewTree(const QByteArray& top,
                                                        const FilePattern& pattern,
                                                        const TreeRequest& request,
                                                        const NameRules& rules)
{
    std::optional<FolderTree> walked = walkFolderTree(top, pattern);
    if (!walked)
        return nullptr;
    auto tree = std::make_shared<BatchPreviewTree>();
    tree->folders = planTree(top, *walked, request, rules);
    tree->unreadable = std::move(walked->unreadable);
    join(*tree);
    return tree;
}

bool sameTree(const BatchPreviewTree& one, const BatchPreviewTree& other)
{
    return one.rows.paths == other.rows.paths && one.rows.firstRows == other.rows.firstRows &&
           one.entries == other.entries && sameRows(one.joined, other.joined);
}

} // namespace vornak
