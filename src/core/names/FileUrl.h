#pragma once

#include <QByteArray>

namespace vornak {

// The file:// address of an absolute local path, built from the path's exact bytes: every
// byte but the unreserved ones and "/" percent-encoded, so a name that is not valid UTF-8, or
// holds "%", "#" or "?", reaches the program that opens it unchanged.
QByteArray fileUrlOf(const QByteArray& path);

} // namespace vornak
