#include "Workloads.h"

#include "Timing.h"

#include "core/names/NameIndex.h"
#include "core/plan/PlannedBatch.h"
#include "widgets/FileList.h"

#include <stdexcept>

namespace vornak::bench {

WorkloadResult measurePlan(const BenchFolder& folder)
{
    FileList file1;
    showFolder(file1, folder);
    const NameList& entries = file1.names();
    // The folder's names, as the batch preview reads them once per folder: not part of an edit.
    NameIndex listing(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        listing.add(entries.bytesAt(i));
    FolderRules rules;
    rules.nameTaken = [&](const QByteArrayView& name) { return listing.contains(name); };

    // "照片 123 report.dat" -> "照片 trip(000001).dat" -> "照片 000001-trip.DAT".
    const RenameState state{"照片 ", {}, "trip", {}};
    BatchRules settings;
    settings.numbers.width = 6;
    settings.findReplace = {QStringLiteral(R"((\w+)\((\d+)\)$)"), QStringLiteral("$2-\\1"), true,
                            false, FindReplace::Scope::BaseName};
    settings.extensionCase = LetterCase::Upper;

    // One edit of a rule: the rules compiled, every name composed, rewritten and classified.
    PlannedBatch batch;
    const double ours = bestSeconds([&] {
        const NameRules compiled(settings);
        batch = planRuleBatch({entries, {}, state, {true, false}, {}}, compiled, rules);
    });
    if (batch.plan.order.size() != entries.size() || !batch.newNames[0].endsWith("-trip.DAT"))
        throw std::runtime_error("the plan did not rename every file");
    return {ours, measureList(folder).oursSeconds};
}

} // namespace vornak::bench
