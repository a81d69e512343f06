#include "core/trash/TrashInfo.h"

#include <algorithm>

namespace vornak {

namespace {

constexpr qsizetype kLongestName = 255;

bool continuesCharacter(char byte)
{
    return (static_cast<uchar>(byte) & 0xc0) == 0x80;
}

} // namespace

QByteArray trashInfoText(const QByteArray& originalPath, const QDateTime& deleted)
{
    return "[Trash Info]\nPath=" + originalPath.toPercentEncoding("/") + "\nDeletionDate=" +
           deleted.toLocalTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1() +
           '\n';
}

QByteArray trashEntryName(const QByteArray& name, int attempt)
{
    const QByteArray suffix = attempt > 1 ? '.' + QByteArray::number(attempt) : QByteArray();
    const qsizetype room = kLongestName - kTrashInfoSuffix.size() - suffix.size();
    qsizetype cut = std::min(name.size(), room);
    if (cut < name.size()) {
        while (cut > 0 && continuesCharacter(name[cut]))
            --cut;
        if (cut == 0)
            cut = room;
    }
    return name.left(cut) + suffix;
}

} // namespace vornak
