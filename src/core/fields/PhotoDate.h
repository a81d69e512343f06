#pragma once

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace vornak {

// The date a photo was taken, from its EXIF DateTimeOriginal, as the camera's clock showed it
// (local time: EXIF gives no zone). Nothing when the file cannot be read, is not an image
// format that carries EXIF, or holds no valid date. Reads only the file's metadata; safe to
// call from several threads at once, for the background reading of a large folder.
std::optional<QDateTime> photoTakenAt(const QByteArray& path);

} // namespace vornak
