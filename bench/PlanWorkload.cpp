#include "Workloads.h"

#include "Timing.h"

#include "core/fields/FileDatesReader.h"
#include "core/names/NameIndex.h"
#include "core/plan/PlannedBatch.h"
#include "widgets/FileList.h"

#include <stdexcept>

namespace vornak::bench {

namespace {

// The folder shown in File1, with its names as the batch preview reads them once per folder:
// not part of an edit.
struct ShownFolder {
    explicit ShownFolder(const BenchFolder& folder)
    {
        showFolder(file1, folder);
        listing = NameIndex(entries().size());
        for (std::size_t i = 0; i < entries().size(); ++i)
            listing.add(entries().bytesAt(i));
        rules.nameTaken = [this](const QByteArrayView& name) { return listing.contains(name); };
    }
    const NameList& entries() const { return file1.names(); }

    FileList file1;
    NameIndex listing;
    FolderRules rules;
};

} // namespace

WorkloadResult measurePlan(const BenchFolder& folder)
{
    const ShownFolder shown(folder);
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
        batch =
            planRuleBatch({shown.entries(), {}, state, {true, false}, {}}, compiled, shown.rules);
    });
    if (batch.plan.order.size() != shown.entries().size() ||
        !batch.newNames[0].endsWith("-trip.DAT"))
        throw std::runtime_error("the plan did not rename every file");
    return {ours, measureList(folder).oursSeconds};
}

WorkloadResult measurePatternPlan(const BenchFolder& folder)
{
    const ShownFolder shown(folder);
    BatchRules settings;
    settings.pattern = QStringLiteral("{date:yyyy-MM-dd}_{folder}_{n:6} {name}{ext}");
    const NameRules fields(settings);
    const std::vector<FileDates> dates =
        FileDatesReader::readNow(folder.path() + '/', shown.entries(), *fields.fieldsToRead());

    // One edit with the fields read: every name made from the pattern and classified.
    PlannedBatch batch;
    const double ours = bestSeconds([&] {
        const NameRules compiled(settings);
        BatchRequest request{shown.entries(), dates, {}, {}, {}};
        request.folderName = folderNameOf(folder.path());
        batch = planRuleBatch(request, compiled, shown.rules);
    });
    if (batch.plan.order.size() != shown.entries().size() || !batch.newNames[0].endsWith(".dat"))
        throw std::runtime_error("the pattern did not rename every file");
    return {ours, measureList(folder).oursSeconds};
}

WorkloadResult measureFieldsRead(const BenchFolder& folder)
{
    const ShownFolder shown(folder);
    // Once: a second read would find the files' metadata in the system's cache.
    std::vector<FileDates> dates;
    const double ours = bestSeconds(
        [&] {
            dates = FileDatesReader::readNow(folder.path() + '/', shown.entries(), {true, true});
        },
        1);
    if (dates.size() != shown.entries().size() || !dates.back().modified)
        throw std::runtime_error("the fields were not read");
    return {ours, std::nullopt};
}

} // namespace vornak::bench
