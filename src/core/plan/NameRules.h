#pragma once

#include "core/names/NamePattern.h"
#include "core/names/TextReplacer.h"
#include "core/plan/BatchRules.h"

#include <QByteArray>

#include <optional>

namespace vornak {

// A BatchRules made ready for a batch: the expression compiled once, then applied to every
// composed name.
class NameRules {
public:
    explicit NameRules(const BatchRules& rules);

    const BatchRules& rules() const { return m_rules; }
    // Why the rules cannot run, for beside the find/replace fields. A batch planned with rules
    // that cannot run shows names without the find/replace and renames nothing.
    const ReplaceError& error() const { return m_replacer.error(); }
    // The pattern as read; without pieces when off or unreadable. A pattern that cannot be read
    // stops the batch as an expression that cannot be used does.
    const NamePattern& pattern() const { return m_pattern; }
    bool isRunnable() const
    {
        return error().kind == ReplaceError::Kind::None && m_pattern.isValid();
    }
    // What must be read of the files before the batch is planned; nothing for the list's order
    // and a pattern without dates or tags.
    std::optional<FieldsToRead> fieldsToRead() const;

    // The composed name after find/replace and letter case. Bytes the rules do not touch,
    // including bytes that are not UTF-8, stay exactly as they were. Nothing when the
    // expression went over its budget on this name (表达式太复杂).
    std::optional<QByteArray> rewritten(QByteArray name) const;

private:
    BatchRules m_rules;
    TextReplacer m_replacer;
    NamePattern m_pattern;
};

} // namespace vornak
