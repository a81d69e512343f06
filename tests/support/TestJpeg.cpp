#include "TestJpeg.h"

#include <QBuffer>
#include <QImage>

namespace vornak::test {

using namespace Qt::StringLiterals;

// With a date, an APP1 segment follows the start marker, built by hand as cameras write it: a
// little-endian TIFF block whose first directory points to the Exif directory, which holds
// DateTimeOriginal.
QByteArray jpeg(const QByteArray& taken)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    if (taken.isEmpty())
        return buffer.data();
    QByteArray tiff("II*\0", 4);
    const auto u16 = [&](int v) { tiff.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF)); };
    const auto u32 = [&](int v) { u16(v & 0xFFFF), u16(v >> 16); };
    u32(8);
    u16(1), u16(0x8769), u16(4), u32(1), u32(26), u32(0);  // first directory: Exif at 26
    u16(1), u16(0x9003), u16(2), u32(20), u32(44), u32(0); // Exif directory: date at 44
    tiff.append(taken.leftJustified(19, ' ', true)).append('\0');
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(body.size()) + 2;
    return QByteArray(buffer.data())
        .insert(2, "\xFF\xE1"_ba + char(length >> 8) + char(length & 0xFF) + body);
}

} // namespace vornak::test
