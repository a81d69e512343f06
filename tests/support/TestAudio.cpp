#include "TestAudio.h"

#include "TestFiles.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <QtEndian>

namespace vornak::test {

bool writeTaggedWav(const QByteArray& path, const AudioTags& tags)
{
    QByteArray header;
    const auto u32 = [&](quint32 v) {
        header.append(4, '\0'), qToLittleEndian(v, header.end() - 4);
    };
    const auto u16 = [&](quint16 v) {
        header.append(2, '\0'), qToLittleEndian(v, header.end() - 2);
    };
    header.append("RIFF"), u32(36), header.append("WAVEfmt "), u32(16);
    u16(1), u16(1), u32(8000), u32(16000), u16(2), u16(16); // PCM, mono, 8 kHz, 16 bits
    header.append("data"), u32(0);
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
