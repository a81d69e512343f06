#pragma once

#include "core/names/RenameOptions.h"
#include "core/plan/BatchRules.h"

#include <QVariantMap>

namespace vornak {

// A saved rule set (方案): the four described options with their texts and mode, and the batch
// rules, as kept under a name in the settings.
struct RuleSet {
    RenameOptions options;
    BatchRules rules;

    // Plain values only (strings, booleans, numbers) under fixed keys, with the version of this
    // form, so a set survives any QSettings format and later versions of the program.
    QVariantMap toVariantMap() const;
    // Missing or unreadable values take their defaults and numbers are kept within the ranges
    // NumberFormat allows, so a damaged or older entry still loads.
    static RuleSet fromVariantMap(const QVariantMap& map);

    friend bool operator==(const RuleSet&, const RuleSet&) = default;
};

} // namespace vornak
