#pragma once

#include "core/fs/FolderTree.h"
#include "core/names/NameComposition.h"
#include "core/names/NameList.h"
#include "core/names/RenameState.h"
#include "core/plan/NameRules.h"
#include "core/plan/PlannedBatch.h"

#include <QByteArray>

#include <functional>
#include <vector>

namespace vornak {

// A folder of a tree and its batch, planned there.
struct PlannedFolder {
    QByteArray path; // relative to the tree's top folder; "" for the top folder itself
    NameList entries;
    PlannedBatch batch;
};

// How a tree is planned besides the rules.
struct TreeRequest {
    const RenameState& state;
    NameCase nameCase;
    // Numbers run on from folder to folder in the tree's order; otherwise each folder counts
    // from the start again.
    bool numberAcross = false;
    // The dates and tags of a folder's entries, for a numbering order by date or a pattern's
    // fields; unset where the rules need none.
    std::function<std::vector<FileDates>(const QByteArray& folder, const NameList& entries)> dates;
    // What the user chose in the table, the files known by their paths below the top folder.
    const TableChoices* choices = nullptr;
};

// Plans every folder of the tree as a flat folder is planned (planRuleBatch), each under its
// own folder's rules: its file system's naming and its own entries as the names taken, so a
// name is taken, colliding or too long only within its folder. Folders without files are left
// out. Numbers run on over the ticked files only; an order chosen in the table numbers each
// folder's files in it, and may take the folders in reverse. top is the tree's folder with a
// trailing separator; the tree's names are moved out.
std::vector<PlannedFolder> planTree(const QByteArray& top, FolderTree& tree,
                                    const TreeRequest& request, const NameRules& rules);

// The folder below top that path names, with a trailing separator.
QByteArray treeFolderPath(const QByteArray& top, const QByteArray& path);

} // namespace vornak
