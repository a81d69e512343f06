#pragma once

#include "core/names/NameList.h"
#include "core/names/RenameState.h"
#include "core/plan/NameRules.h"
#include "core/plan/NumberingOrder.h"
#include "core/plan/RenamePlan.h"
#include "core/plan/TableChoices.h"

#include <optional>
#include <span>
#include <stop_token>
#include <vector>

namespace vornak {

// What a batch is planned from: the file list's entries and the described options in force.
struct BatchRequest {
    const NameList& entries;
    // One per entry, read only when the rules number by a date (see numberingOrder) or their
    // pattern writes dates or tags.
    std::span<const FileDates> dates;
    const RenameState& state;
    NameCase nameCase;
    // Single mode: the selected entry, the only one of the batch. Its number is still its
    // place among all entries, and the other entries count as files outside the batch (the
    // folder's nameTaken must know them, as a listing of the whole folder does).
    std::optional<std::size_t> single;
    // A newer edit asks the plan under way to stop (see planRuleBatch).
    std::stop_token stop = {};
    // Entries numbered before this batch: numbers run on from theirs (a tree numbered across
    // its folders), instead of starting at the rules' start.
    qsizetype numberedBefore = 0;
    // The name of the entries' folder, for a pattern's {folder}.
    QString folderName = {};
    // What the user chose in the table for these entries; nothing: the rules alone.
    const EntryChoices* choices = nullptr;
};

// A batch as the preview shows it and as its run does it. Rows are the entries of the batch
// in list order: every entry, or the selected one in single mode. A window shows row r as
// entries.displayNameAt(entryAt(r)), newNames[r] and statusText(plan.statuses[r]), and runs
// exactly renames(entries) of the batch it shows.
struct PlannedBatch {
    std::optional<std::size_t> single;
    std::vector<QByteArray> newNames;  // per row; the old name where the rules keep it
    std::vector<bool> modifiedInstead; // per row: ordered by photo date, it had none
    // Per row under a pattern (empty without one): the field the file lacks, for 缺少字段.
    std::vector<std::optional<PatternField>> missingFields;
    // Per row (empty when none is): the new name was typed in the table, not given by the rules.
    std::vector<bool> manual;
    // The rows in the order the table shows and numbers them; empty: in list order.
    std::vector<std::uint32_t> shownOrder;
    BatchPlan plan; // statuses per row; order over rows
    // false while the rules hold an error or the expression went over its budget on a row
    bool runnable = true;

    std::size_t rowCount() const { return newNames.size(); }
    std::size_t entryAt(std::size_t row) const { return single ? *single : row; }
    // The renames a run does, in its order; none when the rules cannot run.
    std::vector<Rename> renames(const NameList& entries) const;
};

// The whole pipeline: numbering order, composition by ComposeNewName with the number format (or
// by the rules' pattern), find/replace and letter case, then planBatch. A file that lacks a
// field of the pattern keeps its name and is marked 缺少字段; the others still run. An entry that
// composition gives no name (case A for a name without ".") goes on with its own name, so the other
// rules still apply to it. A row the expression cannot decide within its budget keeps its name and
// is marked 表达式太复杂. An unticked entry keeps its name, is marked 未选 and takes no number, but
// its name stays taken; a name typed in the table replaces the rules' and is checked as theirs
// are. An order chosen in the table numbers the entries in it instead of the rules' order. Linear
// in the entries but for the sort of a date order. Once a stop is requested it returns an empty
// batch as soon as it can: a plan cut short is not shown.
PlannedBatch planRuleBatch(const BatchRequest& request, const NameRules& rules,
                           const FolderRules& folder);

// The last name of a folder's path, with or without a separator at its end; empty for "/".
QString folderNameOf(QByteArrayView folderPath);

} // namespace vornak
