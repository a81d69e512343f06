#include "core/plan/FolderNaming.h"

#include "core/fs/FileDescriptor.h"

#include <QFile>
#include <QStorageInfo>

#include <fcntl.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace vornak {

namespace {

constexpr long kMsdosMagic = 0x4d44;
constexpr long kExfatMagic = 0x2011BAB0;
constexpr long kFuseMagic = 0x65735546;

// The signatures the boot sector of a FAT or exFAT volume carries, at their offsets.
bool bootSectorIsFat(const QByteArray& device)
{
    const FileDescriptor fd(::open(device.constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.isOpen())
        return false;
    const QByteArray sector = readAt(fd.get(), 0, 512);
    const auto holds = [&](qsizetype at, const char* signature) {
        return sector.size() == 512 && sector.sliced(at, 8) == signature;
    };
    return holds(3, "EXFAT   ") || holds(54, "FAT12   ") || holds(54, "FAT16   ") ||
           holds(82, "FAT32   ");
}

// A FUSE volume names its driver's type only now and then ("fuse.exfat"); exfat-fuse mounts as
// plain "fuseblk", and only its device tells what it holds (where the user may read it).
bool fuseVolumeIsFat(const QByteArray& folder)
{
    const QStorageInfo volume(QFile::decodeName(folder));
    const QByteArray type = volume.fileSystemType();
    if (type.contains("fat") || type.contains("msdos"))
        return true;
    return type == "fuseblk" && bootSectorIsFat(volume.device());
}

} // namespace

FolderNaming folderNamingOf(const QByteArray& folder)
{
    FolderNaming naming;
    struct statfs volume {};
    if (::statfs(folder.constData(), &volume) == 0) {
        const auto type = static_cast<long>(volume.f_type);
        if (type == kMsdosMagic || type == kExfatMagic ||
            (type == kFuseMagic && fuseVolumeIsFat(folder))) {
            naming.lengthUnit = NameLengthUnit::Utf16Units;
            naming.caseInsensitive = true;
            return naming;
        }
    }
    const long nameMax = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (nameMax > 0)
        naming.nameMax = nameMax;
    return naming;
}

} // namespace vornak
