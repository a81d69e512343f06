#pragma once

#include <QByteArray>

namespace vornak::test {

// A real 8x8 JPEG as Qt writes it; with a date ("yyyy:MM:dd HH:mm:ss"), the EXIF block a
// camera writes, holding DateTimeOriginal.
QByteArray jpeg(const QByteArray& taken = {});

} // namespace vornak::test
