#pragma once

#include <QString>
#include <QStringList>

namespace vornak {

// How many texts a text box remembers.
inline constexpr qsizetype kRecentTextCount = 20;

// The texts of a box most recent first after text was used: text in front, no earlier copy of
// it (names are case-sensitive, so "A" and "a" are two texts), at most kRecentTextCount. An
// empty text leaves the list as it was.
QStringList withRecentText(QStringList recent, const QString& text);

} // namespace vornak
