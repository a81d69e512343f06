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

DateTexts::Format& DateTexts::formatState(const QString& format)
{
    for (Format& known : m_formats) {
        if (known.format == &format)
            return known;
    }
    Format& added = m_formats.emplace_back();
    added.format = &format;
    added.dayOnly = writesDayOnly(format);
    return added;
}

QString DateTexts::text(qint64 msecs, const QString& format)
{
    Format& state = formatState(format);
    if (state.dayOnly) {
        if (state.last && state.last->start <= msecs && msecs < state.last->end)
            return state.last->text;
        const auto next = state.days.upper_bound(msecs);
        if (next != state.days.begin() && msecs < std::prev(next)->second.end) {
            state.last = &std::prev(next)->second;
            return state.last->text;
        }
    }
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(msecs, m_zone);
    QString text = date.toString(format);
    if (!state.dayOnly)
        return text;
    // A day the zone skips has no start: its dates are written each time.
    const QDateTime start = date.date().startOfDay(m_zone);
    const QDateTime end = date.date().addDays(1).startOfDay(m_zone);
    if (start.isValid() && end.isValid()) {
        const qint64 from = start.toMSecsSinceEpoch();
        state.last = &state.days.insert_or_assign(from, Day{from, end.toMSecsSinceEpoch(), text})
                          .first->second;
    }
    return text;
}

} // namespace vornak
