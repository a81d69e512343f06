#pragma once

#include "texts/ReportLines.h"

#include <QStringList>

namespace vornak {

// A short report held as its text, split at its line breaks.
class TextLines : public ReportLines {
public:
    explicit TextLines(const QString& text);
    explicit TextLines(QStringList lines, QChar lineBreak = kLineBreak)
        : m_lines(std::move(lines)), m_lineBreak(lineBreak)
    {}

    quint64 lineCount() const override { return quint64(m_lines.size()); }
    QString line(quint64 k) const override;
    QChar lineBreak() const override { return m_lineBreak; }

private:
    QStringList m_lines;
    QChar m_lineBreak = kLineBreak;
};

} // namespace vornak
