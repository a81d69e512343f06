#include "PlannedBatch.h"

namespace vornak {

std::vector<Rename> PlannedBatch::renames(const NameList& entries) const
{
    std::vector<Rename> run;
    if (!runnable)
        return run;
    run.reserve(plan.order.size());
    for (std::size_t row : plan.order)
        run.push_back({entries.nameAt(entryAt(row)), newNames[row]});
    return run;
}

PlannedBatch planRuleBatch(const BatchRequest& request, const NameRules& rules,
                           const FolderRules& folder)
{
    const NameList& entries = request.entries;
    const BatchRules& settings = rules.rules();
    const Numbering numbering = numberingOrder(settings.order, entries.size(), request.dates);

    PlannedBatch batch;
    batch.single = request.single;
    batch.runnable = rules.isRunnable();
    const std::size_t rows = request.single ? 1 : entries.size();
    batch.newNames.reserve(rows);
    batch.modifiedInstead.reserve(rows);
    std::vector<WantedName> wanted;
    wanted.reserve(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t entry = batch.entryAt(row);
        const QByteArrayView name = entries.bytesAt(entry);
        std::optional<QByteArray> composed =
            ComposeNewName(name, numbering.positions[entry], request.state, request.nameCase,
                           CompositionUse::Execution, settings.numbers);
        batch.newNames.push_back(
            rules.rewritten(composed ? std::move(*composed) : name.toByteArray()));
        batch.modifiedInstead.push_back(numbering.modifiedInstead[entry]);
    }
    for (std::size_t row = 0; row < rows; ++row)
        wanted.push_back({entries.bytesAt(batch.entryAt(row)), batch.newNames[row]});
    batch.plan = planBatch(wanted, folder);
    return batch;
}

} // namespace vornak
