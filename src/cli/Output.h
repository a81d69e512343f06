#pragma once

#include <QString>

namespace vornak {

// A line for the user on stdout or stderr, in UTF-8.
void printLine(const QString& text);
void printError(const QString& text);
// On stderr: what failed, the path it failed on and the system's reason.
void printSystemError(const QString& what, const QByteArray& path, int error);

} // namespace vornak
