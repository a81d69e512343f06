#include "core/plan/PlannedBatch.h"

#include "core/jobs/RowShares.h"
#include "core/names/NameText.h"

namespace vornak {

namespace {

// The batch's rows as planBatch takes them, viewing the entries and the new names.
std::vector<WantedName> wantedNames(const PlannedBatch& batch, const NameList& entries)
{
    std::vector<WantedName> wanted;
    wanted.reserve(batch.rowCount());
    for (std::size_t row = 0; row < batch.rowCount(); ++row)
        wanted.push_back({entries.bytesAt(batch.entryAt(row)), batch.newNames[row]});
    return wanted;
}

// The name the pattern gives the entry, or the field it lacks. The date is the photo's, else
// the modification time.
PatternName patternName(const BatchRequest& request, const NameRules& rules, std::size_t entry,
                        qint64 number, DateTexts& dateTexts)
{
    const QString name = decodeName(request.entries.bytesAt(entry));
    const qsizetype baseEnd = baseNameEnd(name);
    PatternValues values{QStringView(name).first(baseEnd),
                         QStringView(name).sliced(baseEnd),
                         number,
                         rules.rules().numbers.width,
                         request.folderName,
                         std::nullopt,
                         nullptr,
                         &dateTexts};
    if (entry < request.dates.size()) {
        const FileDates& dates = request.dates[entry];
        values.date = dates.taken ? dates.taken : dates.modified;
        values.tags = dates.tags ? &*dates.tags : nullptr;
    }
    return composeFromPattern(rules.pattern(), values);
}

} // namespace

std::vector<Rename> PlannedBatch::renames(const NameList& entries) const
{
    if (!runnable)
        return {};
    return plan.renames(wantedNames(*this, entries));
}

PlannedBatch planRuleBatch(const BatchRequest& request, const NameRules& rules,
                           const FolderRules& folder)
{
    const NameList& entries = request.entries;
    const BatchRules& settings = rules.rules();
    const EntryChoices* choices = request.choices;
    Numbering numbering = numberingOrder(settings.order, entries.size(), request.dates);
    if (choices && (!choices->order.empty() || !choices->unticked.empty()))
        numberAgain(numbering, choices->order, choices->unticked);
    const auto unticked = [&](std::size_t entry) {
        return choices && !choices->unticked.empty() && choices->unticked[entry];
    };
    const auto manualName = [&](std::size_t entry) -> const std::optional<QByteArray>* {
        return choices && !choices->manualNames.empty() && choices->manualNames[entry]
                   ? &choices->manualNames[entry]
                   : nullptr;
    };

    PlannedBatch batch;
    batch.single = request.single;
    batch.runnable = rules.isRunnable();
    const std::size_t rows = request.single ? 1 : entries.size();
    batch.newNames.resize(rows);
    batch.modifiedInstead.reserve(rows);
    for (std::size_t row = 0; row < rows; ++row)
        batch.modifiedInstead.push_back(numbering.modifiedInstead[batch.entryAt(row)] &&
                                        !manualName(batch.entryAt(row)));
    // Per row: the expression went over its budget. Bytes, not bits, as threads write them.
    std::vector<char> overBudget(rows, 0);
    const bool patterned = !rules.pattern().pieces.empty();
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (patterned)
        batch.missingFields.resize(rows);
    const auto composeRows = [&](const NameRules& rowRules, std::size_t first, std::size_t last) {
        DateTexts dateTexts(zone);
        for (std::size_t row = first; row < last && !request.stop.stop_requested(); ++row) {
            const std::size_t entry = batch.entryAt(row);
            const QByteArrayView name = entries.bytesAt(entry);
            if (unticked(entry)) {
                batch.newNames[row] = name.toByteArray();
                continue;
            }
            if (const std::optional<QByteArray>* typed = manualName(entry)) {
                batch.newNames[row] = **typed;
                continue;
            }
            const qsizetype position = request.numberedBefore + numbering.positions[entry];
            std::optional<QByteArray> composed;
            if (patterned) {
                PatternName made = patternName(request, rules, entry,
                                               settings.numbers.numberAt(position), dateTexts);
                batch.missingFields[row] = made.missing;
                if (made.missing) {
                    batch.newNames[row] = name.toByteArray();
                    continue;
                }
                composed = encodeName(made.name);
            } else {
                composed = ComposeNewName(name, position, request.state, request.nameCase,
                                          CompositionUse::Execution, settings.numbers);
            }
            std::optional<QByteArray> rewritten =
                rowRules.rewritten(composed ? std::move(*composed) : name.toByteArray());
            overBudget[row] = !rewritten;
            batch.newNames[row] = rewritten ? std::move(*rewritten) : name.toByteArray();
        }
    };
    // Composing and rewriting is most of an edit's cost, and each row stands alone: the rows
    // are shared out among the cores. Each share but the first compiles the rules anew, so no
    // expression is matched from two threads at once.
    const std::size_t shares = rowShareCount(rows);
    std::vector<NameRules> shareRules;
    shareRules.reserve(shares - 1);
    for (std::size_t share = 1; share < shares; ++share)
        shareRules.emplace_back(settings);
    rowShares(rows, [&](std::size_t share, std::size_t first, std::size_t last) {
        composeRows(share == 0 ? rules : shareRules[share - 1], first, last);
    });
    if (request.stop.stop_requested())
        return {};
    batch.plan = planBatch(wantedNames(batch, entries), folder);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t entry = batch.entryAt(row);
        if (unticked(entry)) {
            batch.plan.statuses[row] = RenameStatus::Unticked;
        } else if (manualName(entry)) {
            if (batch.manual.empty())
                batch.manual.resize(rows, false);
            batch.manual[row] = true;
        } else if (overBudget[row]) {
            batch.plan.statuses[row] = RenameStatus::ExpressionTooComplex;
            batch.runnable = false;
        } else if (patterned && batch.missingFields[row]) {
            batch.plan.statuses[row] = RenameStatus::MissingField;
        }
    }
    if (choices && !choices->order.empty() && !request.single)
        batch.shownOrder = choices->order;
    return batch;
}

QString folderNameOf(QByteArrayView folderPath)
{
    while (folderPath.endsWith('/'))
        folderPath.chop(1);
    return decodeName(folderPath.sliced(folderPath.lastIndexOf('/') + 1));
}

} // namespace vornak
