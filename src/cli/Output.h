#pragma once

#include <QString>

namespace vornak {

// A line for the user on stdout or stderr, in UTF-8.
void printLine(const QString& text);
void printError(const QString& text);

} // namespace vornak
