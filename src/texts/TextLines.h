#pragma once

#include "texts/ReportLines.h"

#include <QStringList>

namespace vornak {

// A short report held as its text, split at its line breaks.
class TextLines : public ReportLines {
public:
    explicit TextLines(const QString& text);
    explicit TextLines(QStringList lines) : m_lines(std::move(lines)) {}

    quint64 lineCount() const override { return quint64(m_lines.size()); }
    QString line(quint64 k) const override;

private:
    QStringList m_lines;
};

} // namespace vornak
