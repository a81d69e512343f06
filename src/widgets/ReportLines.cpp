#include "ReportLines.h"

#include "platform/Messages.h"

#include <algorithm>

namespace vornak {

quint64 ReportLines::textSize() const
{
    const quint64 count = lineCount();
    quint64 size = count > 0 ? count - 1 : 0;
    for (quint64 k = 0; k < count; ++k)
        size += quint64(line(k).toUtf8().size());
    return size;
}

int ReportLines::width(const QFontMetrics& metrics) const
{
    int widest = 0;
    for (quint64 k = 0; k < lineCount(); ++k)
        widest = std::max(widest, metrics.horizontalAdvance(line(k)));
    return widest;
}

QString ReportLines::text() const
{
    QString text;
    for (quint64 k = 0; k < lineCount(); ++k) {
        if (k > 0)
            text.append(kLineBreak);
        text.append(line(k));
    }
    return text;
}

} // namespace vornak
