#pragma once

#include <QHashFunctions>
#include <QtGlobal>

#include <optional>

namespace vornak {

// What tells a file apart from any other that may later hold its name. The inode alone is not
// enough: FUSE file systems such as exfat-fuse hand out inode numbers anew after a remount or a
// cache drop, so size and modification time must match too.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

inline std::size_t qHash(const FileIdentity& identity, std::size_t seed = 0)
{
    return qHashMulti(seed, identity.device, identity.inode, identity.size, identity.modifiedNs);
}

// Whether a link stands for itself or for the file it points to.
enum class Links { Examined, Followed };

// The identity of the entry name of the open folder dir. By default a link is not followed,
// since a rename moves the link; what a file holds (its photo date) is the target's. Nothing
// when the entry cannot be examined.
std::optional<FileIdentity> identityAt(int dir, const char* name, Links links = Links::Examined);

} // namespace vornak
