#pragma once

#include "core/plan/RuleSet.h"

#include <QStringList>

#include <optional>

namespace vornak {

// The saved rule sets (方案), by name, in the program's settings. Every call reads or writes the
// settings afresh, so two copies of the program see each other's sets.
namespace ruleSetStore {

// The names in the order they were first saved.
QStringList names();
std::optional<RuleSet> load(const QString& name);
// Replaces a set of the same name in its place, or adds the set last.
void save(const QString& name, const RuleSet& set);
void remove(const QString& name);

} // namespace ruleSetStore

} // namespace vornak
