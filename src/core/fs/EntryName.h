#pragma once

#include <QByteArrayView>

#include <dirent.h>

#include <cstring>

namespace vornak {

// The name of a folder entry up to its terminating NUL. dirent declares d_name as char[256],
// but a volume that counts UTF-16 units (exFAT) hands over names of up to 765 bytes in the
// same record; a view built from the array would stop at its declared size.
inline QByteArrayView entryName(const dirent& entry)
{
    const char* const name = entry.d_name;
    return QByteArrayView(name, qsizetype(std::strlen(name)));
}

} // namespace vornak
