#pragma once

#include "core/names/FindReplace.h"
#include "core/names/LetterCase.h"
#include "core/names/NameComposition.h"
#include "core/names/PositionRules.h"
#include "core/plan/NumberingOrder.h"

namespace vornak {

// The batch preview's rules beyond the four described options, applied in this order:
// numbering order, composition with the number format (or, with a pattern, the pattern alone),
// find/replace, removing then inserting by position in the base name, letter case (of inserted text
// too). The defaults change nothing: a run gives exactly the names the main window's run gives.
struct BatchRules {
    NumberingOrder order = NumberingOrder::List;
    NumberFormat numbers;
    // Builds the whole new name from fields (see parseNamePattern) in place of the four
    // options; empty: off.
    QString pattern;
    FindReplace findReplace;
    RemoveRule remove;
    InsertRule insert;
    LetterCase baseCase = LetterCase::Unchanged;
    LetterCase extensionCase = LetterCase::Unchanged;
    // The batch takes the files of every folder below the shown one too (see planTree), and
    // numbers them on across the folders instead of from the start in each.
    bool includeSubfolders = false;
    bool numberAcross = false;

    friend bool operator==(const BatchRules&, const BatchRules&) = default;
};

} // namespace vornak
