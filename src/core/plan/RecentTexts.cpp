#include "core/plan/RecentTexts.h"

namespace vornak {

QStringList withRecentText(QStringList recent, const QString& text)
{
    if (text.isEmpty())
        return recent;
    recent.removeAll(text);
    recent.prepend(text);
    if (recent.size() > kRecentTextCount)
        recent.resize(kRecentTextCount);
    return recent;
}

} // namespace vornak
