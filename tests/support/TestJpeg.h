#pragma once

#include <QByteArray>

namespace vornak::test {

// A real 8x8 JPEG as Qt writes it, without EXIF.
QByteArray plainJpeg();
// The JPEG with the EXIF block a camera writes, holding DateTimeOriginal as given
// ("yyyy:MM:dd HH:mm:ss").
QByteArray jpegTakenAt(const QByteArray& date);

} // namespace vornak::test
