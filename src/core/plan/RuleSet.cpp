#include "core/plan/RuleSet.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vornak {

namespace {

constexpr std::pair<RenameMode, QLatin1StringView> kModes[] = {
    {RenameMode::Batch, QLatin1StringView("batch")},
    {RenameMode::Single, QLatin1StringView("single")},
};
constexpr std::pair<NumberingOrder, QLatin1StringView> kOrders[] = {
    {NumberingOrder::List, QLatin1StringView("list")},
    {NumberingOrder::Modified, QLatin1StringView("modified")},
    {NumberingOrder::Taken, QLatin1StringView("taken")},
};
constexpr std::pair<FindReplace::Scope, QLatin1StringView> kScopes[] = {
    {FindReplace::Scope::BaseName, QLatin1StringView("base")},
    {FindReplace::Scope::WholeName, QLatin1StringView("whole")},
};
constexpr std::pair<LetterCase, QLatin1StringView> kCases[] = {
    {LetterCase::Unchanged, QLatin1StringView("unchanged")},
    {LetterCase::Lower, QLatin1StringView("lower")},
    {LetterCase::Upper, QLatin1StringView("upper")},
    {LetterCase::Capitalized, QLatin1StringView("capitalized")},
};

template <typename Enum, std::size_t N>
QString nameOf(Enum value, const std::pair<Enum, QLatin1StringView> (&names)[N])
{
    for (const auto& [known, name] : names) {
        if (known == value)
            return name;
    }
    return {};
}

// The first of the names is the default.
template <typename Enum, std::size_t N>
Enum valueOf(const QVariant& text, const std::pair<Enum, QLatin1StringView> (&names)[N])
{
    for (const auto& [known, name] : names) {
        if (text.toString() == name)
            return known;
    }
    return names[0].first;
}

qint64 numberOf(const QVariant& value, qint64 fallback, qint64 lowest, qint64 highest)
{
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    return ok ? std::clamp(number, lowest, highest) : fallback;
}

// The keys of the four options: prefix, suffix, new base name, new extension.
constexpr QLatin1StringView kOptionKeys[] = {
    QLatin1StringView("prefix"), QLatin1StringView("suffix"), QLatin1StringView("baseName"),
    QLatin1StringView("extension")};

template <typename Options> auto inputsOf(Options& options)
{
    return std::array{&options.prefix, &options.suffix, &options.newBaseName,
                      &options.newExtension};
}

QString optionKey(std::size_t option, QLatin1StringView field)
{
    return QString(kOptionKeys[option]) + field;
}

// The stored form's version. A set without one was written before the rules by position, one
// of version 2 before the pattern: its missing keys are those rules, off.
constexpr int kVersion = 3;

void insertGap(QVariantMap& map, QLatin1StringView rule, const TextGap& gap)
{
    map.insert(rule + QLatin1StringView("At"), gap.offset);
    map.insert(rule + QLatin1StringView("FromEnd"), gap.fromEnd);
}

TextGap gapOf(const QVariantMap& map, QLatin1StringView rule)
{
    return {
        static_cast<int>(numberOf(map.value(rule + QLatin1StringView("At")), 0, 0, TextGap::kMax)),
        map.value(rule + QLatin1StringView("FromEnd")).toBool()};
}

} // namespace

QVariantMap RuleSet::toVariantMap() const
{
    QVariantMap map;
    map.insert(QStringLiteral("version"), kVersion);
    map.insert(QStringLiteral("mode"), nameOf(options.mode, kModes));
    const auto inputs = inputsOf(options);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        map.insert(optionKey(i, QLatin1StringView("Checked")), inputs[i]->checked);
        map.insert(optionKey(i, QLatin1StringView("Text")), inputs[i]->input);
    }
    map.insert(QStringLiteral("numberingOrder"), nameOf(rules.order, kOrders));
    map.insert(QStringLiteral("numberStart"), rules.numbers.start);
    map.insert(QStringLiteral("numberStep"), rules.numbers.step);
    map.insert(QStringLiteral("numberWidth"), rules.numbers.width);
    map.insert(QStringLiteral("pattern"), rules.pattern);
    map.insert(QStringLiteral("find"), rules.findReplace.find);
    map.insert(QStringLiteral("replacement"), rules.findReplace.replacement);
    map.insert(QStringLiteral("regularExpression"), rules.findReplace.regularExpression);
    map.insert(QStringLiteral("caseSensitive"), rules.findReplace.caseSensitive);
    map.insert(QStringLiteral("findScope"), nameOf(rules.findReplace.scope, kScopes));
    map.insert(QStringLiteral("removeCount"), rules.remove.count);
    insertGap(map, QLatin1StringView("remove"), rules.remove.at);
    map.insert(QStringLiteral("insertText"), rules.insert.text);
    insertGap(map, QLatin1StringView("insert"), rules.insert.at);
    map.insert(QStringLiteral("baseCase"), nameOf(rules.baseCase, kCases));
    map.insert(QStringLiteral("extensionCase"), nameOf(rules.extensionCase, kCases));
    map.insert(QStringLiteral("includeSubfolders"), rules.includeSubfolders);
    map.insert(QStringLiteral("numberAcross"), rules.numberAcross);
    return map;
}

RuleSet RuleSet::fromVariantMap(const QVariantMap& map)
{
    const auto at = [&](QLatin1StringView key) { return map.value(key); };
    RuleSet set;
    set.options.mode = valueOf(at(QLatin1StringView("mode")), kModes);
    const auto inputs = inputsOf(set.options);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i]->checked = map.value(optionKey(i, QLatin1StringView("Checked"))).toBool();
        inputs[i]->input = map.value(optionKey(i, QLatin1StringView("Text"))).toString();
    }
    BatchRules& rules = set.rules;
    const NumberFormat defaults;
    rules.order = valueOf(at(QLatin1StringView("numberingOrder")), kOrders);
    rules.numbers.start =
        numberOf(at(QLatin1StringView("numberStart")), defaults.start, 0, NumberFormat::kMaxStart);
    rules.numbers.step =
        numberOf(at(QLatin1StringView("numberStep")), defaults.step, 1, NumberFormat::kMaxStep);
    rules.numbers.width = static_cast<int>(
        numberOf(at(QLatin1StringView("numberWidth")), defaults.width, 0, NumberFormat::kMaxWidth));
    rules.pattern = at(QLatin1StringView("pattern")).toString();
    rules.findReplace.find = at(QLatin1StringView("find")).toString();
    rules.findReplace.replacement = at(QLatin1StringView("replacement")).toString();
    rules.findReplace.regularExpression = at(QLatin1StringView("regularExpression")).toBool();
    rules.findReplace.caseSensitive = at(QLatin1StringView("caseSensitive")).toBool();
    rules.findReplace.scope = valueOf(at(QLatin1StringView("findScope")), kScopes);
    rules.remove.count =
        static_cast<int>(numberOf(at(QLatin1StringView("removeCount")), 0, 0, TextGap::kMax));
    rules.remove.at = gapOf(map, QLatin1StringView("remove"));
    rules.insert.text = at(QLatin1StringView("insertText")).toString();
    rules.insert.at = gapOf(map, QLatin1StringView("insert"));
    rules.baseCase = valueOf(at(QLatin1StringView("baseCase")), kCases);
    rules.extensionCase = valueOf(at(QLatin1StringView("extensionCase")), kCases);
    rules.includeSubfolders = at(QLatin1StringView("includeSubfolders")).toBool();
    rules.numberAcross = at(QLatin1StringView("numberAcross")).toBool();
    return set;
}

} // namespace vornak
