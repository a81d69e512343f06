#include "TestAudio.h"

#include "TestFiles.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace vornak::test {

bool writeTaggedWav(const QByteArray& path, const AudioTags& tags)
{
    // RIFF, WAVE, a fmt chunk (PCM, mono, 8 kHz, 16 bits), an empty data chunk.
    const QByteArray header = QByteArray::fromHex("524946462400000057415645666d74201000000001000100"
                                                  "401f0000803e0000020010006461746100000000");
    if (!writeFile(path, header))
        return false;
    TagLib::FileRef file(path.constData(), false);
    if (file.isNull())
        return false;
    const auto text = [](const QString& value) {
        return TagLib::String(value.toStdString(), TagLib::String::UTF8);
    };
    file.tag()->setArtist(text(tags.artist));
    file.tag()->setAlbum(text(tags.album));
    file.tag()->setTitle(text(tags.title));
    file.tag()->setTrack(static_cast<unsigned>(tags.track));
    file.tag()->setYear(static_cast<unsigned>(tags.year));
    return file.save();
}

} // namespace vornak::test
