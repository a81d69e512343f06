#include "texts/TextLines.h"

#include "texts/LineBreak.h"

namespace vornak {

TextLines::TextLines(const QString& text) : m_lines(text.split(kLineBreak)) {}

QString TextLines::line(quint64 k) const
{
    return k < lineCount() ? m_lines[qsizetype(k)] : QString();
}

} // namespace vornak
