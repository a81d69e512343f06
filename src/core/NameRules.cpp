#include "NameRules.h"

#include "NameText.h"

namespace vornak {

namespace {

// Where the base name of a text ends: at its last ".", or at its end when it holds none.
qsizetype baseEnd(const QString& text)
{
    const qsizetype dot = text.lastIndexOf(u'.');
    return dot < 0 ? text.size() : dot;
}

} // namespace

NameRules::NameRules(const BatchRules& rules) : m_rules(rules), m_replacer(rules.findReplace) {}

QByteArray NameRules::rewritten(QByteArray name) const
{
    const bool replaces = m_replacer.isActive();
    const bool cases =
        m_rules.baseCase != LetterCase::Unchanged || m_rules.extensionCase != LetterCase::Unchanged;
    if (!replaces && !cases)
        return name;
    QString text = decodeName(name);
    if (replaces) {
        if (m_rules.findReplace.scope == FindReplace::Scope::WholeName) {
            text = m_replacer.replaced(text);
        } else {
            const qsizetype end = baseEnd(text);
            QString replaced = m_replacer.replaced(text.first(end));
            replaced.append(QStringView(text).sliced(end));
            text = std::move(replaced);
        }
    }
    if (cases) {
        const qsizetype end = baseEnd(text);
        QString cased = withLetterCase(QStringView(text).first(end), m_rules.baseCase);
        if (end < text.size()) {
            cased.append(u'.');
            cased.append(withLetterCase(QStringView(text).sliced(end + 1), m_rules.extensionCase));
        }
        text = std::move(cased);
    }
    return encodeName(text);
}

} // namespace vornak
