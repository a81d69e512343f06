#include "core/fs/FileIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace vornak {

std::optional<FileIdentity> identityAt(int dir, const char* name, Links links)
{
    struct stat st {};
    if (::fstatat(dir, name, &st, links == Links::Examined ? AT_SYMLINK_NOFOLLOW : 0) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino),
                        static_cast<qint64>(st.st_size),
                        static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 +
                            static_cast<qint64>(st.st_mtim.tv_nsec)};
}

} // namespace vornak
