#pragma once

#include <QString>
#include <QTimeZone>

#include <map>
#include <utility>
#include <vector>

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
        qint64 start = 0; // msecs where the day starts
        qint64 end = 0;   // msecs where the next day starts
        QString text;
    };
    // What is known of one format: whether it writes the day only, and the days written so
    // far by where they start.
    struct Format {
        const QString* format = nullptr;
        bool dayOnly = false;
        std::map<qint64, Day> days;
        const Day* last = nullptr; // the day given last: files in a row mostly share it
    };
    Format& formatState(const QString& format);

    QTimeZone m_zone;
    // A pattern has a date field or two: a list is searched faster than anything keyed.
    std::vector<Format> m_formats;
};

// Whether a date format writes nothing finer than the day. Letters between single quotes are
// text; two quotes are a quote.
bool writesDayOnly(QStringView format);

} // namespace vornak
