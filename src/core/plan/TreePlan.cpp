#include "core/plan/TreePlan.h"

#include "core/plan/FolderEntries.h"
#include "core/plan/FolderNaming.h"

#include <algorithm>

namespace vornak {

QByteArray treeFolderPath(const QByteArray& top, const QByteArray& path)
{
    return path.isEmpty() ? top : top + path + '/';
}

std::vector<PlannedFolder> planTree(const QByteArray& top, FolderTree& tree,
                                    const TreeRequest& request, const NameRules& rules)
{
    std::vector<PlannedFolder> planned;
    qsizetype numbered = 0;
    const TableChoices noChoices;
    const TableChoices& choices = request.choices ? *request.choices : noChoices;
    if (reversesFolders(choices.sort))
        std::reverse(tree.folders.begin(), tree.folders.end());
    for (TreeFolder& folder : tree.folders) {
        if (folder.files.empty())
            continue;
        const QByteArray path = treeFolderPath(top, folder.path);
        const FolderNaming naming = folderNamingOf(path);
        std::shared_ptr<const FolderEntries> entries =
            FolderEntries::of(folder.names, naming.caseInsensitive);
        folder.names = {};
        const std::vector<FileDates> dates =
            request.dates ? request.dates(path, folder.files) : std::vector<FileDates>();
        const EntryChoices chosen = entryChoices(choices, folder.path, folder.files);
        BatchRequest batch{folder.files, dates, request.state, request.nameCase, {}};
        batch.numberedBefore = request.numberAcross ? numbered : 0;
        batch.folderName = folderNameOf(path);
        batch.choices = &chosen;
        PlannedBatch folderBatch =
            planRuleBatch(batch, rules, folderRules(naming, std::move(entries)));
        PlannedFolder done{folder.path, std::move(folder.files), std::move(folderBatch)};
        numbered += qsizetype(done.entries.size()) -
                    std::count(chosen.unticked.begin(), chosen.unticked.end(), 1);
        planned.push_back(std::move(done));
    }
    return planned;
}

} // namespace vornak
