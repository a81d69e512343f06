#pragma once

#include "core/plan/RenamePlan.h"

#include <QByteArray>

namespace vornak {

// How the file system of a folder names its entries, as a batch plan must know it.
struct FolderNaming {
    qsizetype nameMax = 255;
    NameLengthUnit lengthUnit = NameLengthUnit::Bytes;
    bool caseInsensitive = false;
};

// The naming of the folder's file system: pathconf's NAME_MAX in bytes on most; on FAT and exFAT
// (the kernel's drivers, or FUSE ones such as exfat-fuse) 255 UTF-16 units, compared without
// regard to letter case. A folder that cannot be examined gets the common 255 bytes.
FolderNaming folderNamingOf(const QByteArray& folder);

} // namespace vornak
