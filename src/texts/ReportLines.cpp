#include "texts/ReportLines.h"

namespace vornak {

quint64 ReportLines::textSize() const
{
    const quint64 count = lineCount();
    quint64 size = count > 0 ? count - 1 : 0;
    for (quint64 k = 0; k < count; ++k)
        size += quint64(line(k).toUtf8().size());
    return size;
}

QStringList ReportLines::widestLines(const TextWidth&) const
{
    QStringList lines;
    for (quint64 k = 0; k < lineCount(); ++k)
        lines.append(shownLine(k));
    return lines;
}

QString ReportLines::text() const
{
    QString text;
    for (quint64 k = 0; k < lineCount(); ++k) {
        if (k > 0)
            text.append(lineBreak());
        text.append(line(k));
    }
    return text;
}

} // namespace vornak
