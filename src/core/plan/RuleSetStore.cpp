#include "core/plan/RuleSetStore.h"

#include "core/plan/ProgramSettings.h"

#include <utility>
#include <vector>

namespace vornak::ruleSetStore {

namespace {

// Kept as an array of plain maps, since a set's name may hold any character, "/" included,
// which a settings key could not.
const QString kArray = QStringLiteral("ruleSets");
const QString kName = QStringLiteral("name");

using NamedSet = std::pair<QString, QVariantMap>;

std::vector<NamedSet> readAll()
{
    ProgramSettings settings;
    std::vector<NamedSet> sets;
    const int count = settings.beginReadArray(kArray);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        QVariantMap map;
        for (const QString& key : settings.childKeys())
            map.insert(key, settings.value(key));
        const QString name = map.take(kName).toString();
        if (!name.isEmpty())
            sets.emplace_back(name, std::move(map));
    }
    settings.endArray();
    return sets;
}

void writeAll(const std::vector<NamedSet>& sets)
{
    ProgramSettings settings;
    settings.remove(kArray);
    settings.beginWriteArray(kArray, static_cast<int>(sets.size()));
    for (std::size_t i = 0; i < sets.size(); ++i) {
        settings.setArrayIndex(static_cast<int>(i));
        settings.setValue(kName, sets[i].first);
        for (auto it = sets[i].second.cbegin(); it != sets[i].second.cend(); ++it)
            settings.setValue(it.key(), it.value());
    }
    settings.endArray();
}

} // namespace

QStringList names()
{
    QStringList names;
    for (const auto& [name, map] : readAll())
        names.append(name);
    return names;
}

std::optional<RuleSet> load(const QString& name)
{
    for (const auto& [known, map] : readAll()) {
        if (known == name)
            return RuleSet::fromVariantMap(map);
    }
    return std::nullopt;
}

void save(const QString& name, const RuleSet& set)
{
    std::vector<NamedSet> sets = readAll();
    const QVariantMap map = set.toVariantMap();
    for (auto& [known, saved] : sets) {
        if (known == name) {
            saved = map;
            writeAll(sets);
            return;
        }
    }
    sets.emplace_back(name, map);
    writeAll(sets);
}

void remove(const QString& name)
{
    std::vector<NamedSet> sets = readAll();
    std::erase_if(sets, [&](const NamedSet& set) { return set.first == name; });
    writeAll(sets);
}

} // namespace vornak::ruleSetStore
