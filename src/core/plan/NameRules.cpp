#include "core/plan/NameRules.h"

#include "core/names/NameText.h"

namespace vornak {

NameRules::NameRules(const BatchRules& rules)
    : m_rules(rules), m_replacer(rules.findReplace), m_pattern(parseNamePattern(rules.pattern))
{}

std::optional<FieldsToRead> NameRules::fieldsToRead() const
{
    const FieldsToRead fields{m_rules.order == NumberingOrder::Taken ||
                                  m_pattern.uses(PatternField::Date),
                              m_pattern.usesTags()};
    if (m_rules.order == NumberingOrder::List && fields == FieldsToRead{})
        return std::nullopt;
    return fields;
}

std::optional<QByteArray> NameRules::rewritten(QByteArray name) const
{
    const bool replaces = m_replacer.isActive();
    const bool cases =
        m_rules.baseCase != LetterCase::Unchanged || m_rules.extensionCase != LetterCase::Unchanged;
    const bool edits = m_rules.remove.count > 0 || !m_rules.insert.text.isEmpty();
    if (!replaces && !cases && !edits)
        return name;
    QString text = decodeName(name);
    if (replaces) {
        const qsizetype end = m_rules.findReplace.scope == FindReplace::Scope::WholeName
                                  ? text.size()
                                  : baseNameEnd(text);
        QString replaced;
        replaced.reserve(text.size() + m_rules.findReplace.replacement.size());
        if (!m_replacer.appendReplaced(QStringView(text).first(end), replaced))
            return std::nullopt;
        replaced.append(QStringView(text).sliced(end));
        text = std::move(replaced);
    }
    if (edits) {
        const qsizetype end = baseNameEnd(text);
        QString base =
            withInserted(withRemoved(QStringView(text).first(end), m_rules.remove), m_rules.insert);
        text = base.append(QStringView(text).sliced(end));
    }
    const qsizetype end = baseNameEnd(text);
    if (end < text.size())
        setLetterCase(text, end + 1, text.size() - end - 1, m_rules.extensionCase);
    setLetterCase(text, 0, end, m_rules.baseCase);
    return encodeName(text);
}

} // namespace vornak
