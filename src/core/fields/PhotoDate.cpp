#include "core/fields/PhotoDate.h"

#include <exiv2/exiv2.hpp>

#include <exception>
#include <mutex>

namespace vornak {

namespace {

void prepareExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The library would write its complaints about odd files to stderr.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        // Its XMP parser must be set up once before threads read files that hold XMP.
        Exiv2::XmpParser::initialize();
    });
}

std::optional<QDateTime> parseExifDate(const std::string& text)
{
    const QDateTime date = QDateTime::fromString(QString::fromStdString(text.substr(0, 19)),
                                                 QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QDateTime> photoTakenAt(const QByteArray& path)
{
    prepareExiv2();
    try {
        // A FileIo of its own, so that a path is never taken for a URL.
        Exiv2::BasicIo::AutoPtr file(new Exiv2::FileIo(path.toStdString()));
        const Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(std::move(file));
        if (!image.get())
            return std::nullopt;
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const auto date = exif.findKey(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"));
        if (date == exif.end())
            return std::nullopt;
        return parseExifDate(date->toString());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace vornak
