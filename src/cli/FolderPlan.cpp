#include "cli/FolderPlan.h"

#include "core/fields/FileDatesReader.h"
#include "core/fs/FolderReader.h"
#include "core/fs/FolderTree.h"
#include "core/names/FilePattern.h"
#include "core/plan/FolderEntries.h"
#include "core/plan/FolderNaming.h"

namespace vornak {

namespace {

std::vector<FileDates> datesOf(const QByteArray& folder, const NameList& entries,
                               std::optional<FieldsToRead> fields)
{
    if (!fields)
        return {};
    return FileDatesReader::readNow(folder, entries, *fields);
}

std::optional<std::size_t> indexOf(const NameList& entries, QByteArrayView name)
{
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (entries.bytesAt(k) == name)
            return k;
    }
    return std::nullopt;
}

std::variant<FolderPlan, PlanFailure> planTreeOf(const PlanRequest& request)
{
    if (request.only)
        return PlanFailure::OnlyInTree;
    std::optional<FolderTree> tree =
        walkFolderTree(request.folder, *FilePattern::parse(request.pattern));
    if (!tree)
        return PlanFailure::FolderUnreadable;
    const TreeRequest treeRequest{request.state, request.nameCase, request.numberAcross,
                                  [fields = NameRules(request.rules).fieldsToRead()](
                                      const QByteArray& folder, const NameList& entries) {
                                      return datesOf(folder, entries, fields);
                                  }};
    FolderPlan plan{request.folder,
                    planTree(request.folder, *tree, treeRequest, NameRules(request.rules)), true,
                    std::move(tree->unreadable)};
    return plan;
}

} // namespace

std::variant<FolderPlan, PlanFailure> planFolder(const PlanRequest& request)
{
    if (request.recursive)
        return planTreeOf(request);
    const std::optional<FilePattern> pattern = FilePattern::parse(request.pattern);
    std::optional<NameList> entries = readListedFiles(request.folder, *pattern);
    if (!entries)
        return PlanFailure::FolderUnreadable;
    std::optional<std::size_t> single;
    if (request.only) {
        single = indexOf(*entries, *request.only);
        if (!single)
            return PlanFailure::NoSuchFile;
    }
    const FolderNaming naming = folderNamingOf(request.folder);
    std::shared_ptr<const FolderEntries> folderEntries =
        FolderEntries::read(request.folder, naming.caseInsensitive);
    const NameRules rules(request.rules);
    const std::vector<FileDates> dates = datesOf(request.folder, *entries, rules.fieldsToRead());
    BatchRequest batchRequest{*entries, dates, request.state, request.nameCase, single};
    batchRequest.folderName = folderNameOf(request.folder);
    PlannedBatch batch =
        planRuleBatch(batchRequest, rules, folderRules(naming, std::move(folderEntries)));
    FolderPlan plan{request.folder, {}, false, {}};
    plan.folders.push_back({{}, std::move(*entries), std::move(batch)});
    return plan;
}

} // namespace vornak
