#include "core/fields/AudioTagsRead.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace vornak {

namespace {

QString textOf(const TagLib::String& text)
{
    return QString::fromStdString(text.to8Bit(true));
}

} // namespace

std::optional<AudioTags> audioTagsOf(const QByteArray& path)
{
    const TagLib::FileRef file(path.constData(), false);
    if (file.isNull() || !file.tag())
        return std::nullopt;
    const TagLib::Tag& tag = *file.tag();
    return AudioTags{textOf(tag.artist()), textOf(tag.album()), textOf(tag.title()),
                     static_cast<int>(tag.track()), static_cast<int>(tag.year())};
}

} // namespace vornak
