#pragma once

#include "texts/LineBreak.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace vornak {

// How wide a text is drawn, as the view that shows a report measures it.
using TextWidth = std::function<int(const QString&)>;

// A report as numbered lines made when asked for, so a report of billions of lines costs only
// what its source keeps. Line numbers are 64-bit.
class ReportLines {
public:
    virtual ~ReportLines() = default;

    virtual quint64 lineCount() const = 0;
    // Line k from 0; empty past the end.
    virtual QString line(quint64 k) const = 0;
    // Line k as a window draws it, which may shorten what line() holds whole (the text copied).
    virtual QString shownLine(quint64 k) const { return line(k); }
    // UTF-8 bytes of the whole text, line breaks included. This reads every line: a long
    // report works it out from what it keeps instead.
    virtual quint64 textSize() const;
    // The shown lines among which the widest is, for the view to measure; width measures a piece of
    // text, for a report that picks its lines by the widths of what it holds. This gives every
    // line: a long report picks a few from what it keeps instead.
    virtual QStringList widestLines(const TextWidth& width) const;

    // The break between the lines of the text: a lone carriage return, unless the report says
    // otherwise.
    virtual QChar lineBreak() const { return kLineBreak; }
    // The whole text; for reports whose textSize() has been found small enough to hold.
    QString text() const;
};

} // namespace vornak
