#pragma once

#include <QString>
#include <QTimeZone>

#include <map>
#include <utility>

namespace vornak {

// Writes dates in a pattern's formats and one zone. Where a format writes nothing finer than the
// day (no hour, minute, second, millisecond, am/pm or zone), the text of a day is written once
// and given again for every date of that day: writing a date is most of a pattern row's cost,
// and the files of a folder share a few days. Not shared between threads.
class DateTexts {
public:
    explicit DateTexts(QTimeZone zone) : m_zone(std::move(zone)) {}

    // msecs since the epoch, written in format (Qt's date letters); format must outlive this.
    QString text(qint64 msecs, const QString& format);

private:
    struct Day {
        qint64 end = 0; // msecs where the next day starts
        QString text;
    };
    // By the format and the msecs where the day starts.
    using Key = std::pair<const QString*, qint64>;

    QTimeZone m_zone;
    std::map<Key, Day> m_days;
};

// Whether a date format writes nothing finer than the day. Letters between single quotes are
// text; two quotes are a quote.
bool writesDayOnly(QStringView format);

} // namespace vornak
