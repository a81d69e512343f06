#include "core/names/DateTexts.h"

#include <QDateTime>

namespace vornak {

bool writesDayOnly(QStringView format)
{
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && QStringView(u"hHmszaApPt").contains(c))
            return false;
    }
    return true;
}

QString DateTexts::text(qint64 msecs, const QString& format)
{
    const bool dayOnly = writesDayOnly(format);
    if (dayOnly) {
        const auto next = m_days.upper_bound({&format, msecs});
        if (next != m_days.begin()) {
            const auto& [key, day] = *std::prev(next);
            if (key.first == &format && msecs < day.end)
                return day.text;
        }
    }
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(msecs, m_zone);
    QString text = date.toString(format);
    if (!dayOnly)
        return text;
    // A day the zone skips has no start: its dates are written each time.
    const QDateTime start = date.date().startOfDay(m_zone);
    const QDateTime end = date.date().addDays(1).startOfDay(m_zone);
    if (start.isValid() && end.isValid())
        m_days.emplace(Key{&format, start.toMSecsSinceEpoch()}, Day{end.toMSecsSinceEpoch(), text});
    return text;
}

} // namespace vornak
