#pragma once

#include <QHashFunctions>
#include <QtGlobal>

#include <optional>

namespace vornak {

// How a file is told apart from any other that may later hold its name.
enum class IdentityKind : quint8 {
    // Device and inode number, with size and modification time: where the file system keeps an
    // inode number for the file's whole life.
    Inode,
    // Size and modification time, with a fingerprint of the first bytes where files of one run
    // share both: FAT and exFAT (also through FUSE) and network mounts number inodes afresh as
    // files are read, after a remount or a rename, and may change the device number too.
    Content,
};

struct FileIdentity {
    // Both zero for IdentityKind::Content.
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    IdentityKind kind = IdentityKind::Inode;
    // XXH3 of the first kHeadBytes, taken only where size and time alone are ambiguous.
    std::optional<quint64> head;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

inline std::size_t qHash(const FileIdentity& identity, std::size_t seed = 0)
{
    return qHashMulti(seed, identity.device, identity.inode, identity.size, identity.modifiedNs,
                      quint8(identity.kind), identity.head.value_or(0));
}

// How much of a file its fingerprint covers.
inline constexpr qsizetype kHeadBytes = 4096;

// Whether a link stands for itself or for the file it points to.
enum class Links { Examined, Followed };

// The identity of the entry name of the open folder dir, by inode. By default a link is not
// followed, since a rename moves the link; what a file holds (its photo date) is the target's.
// Nothing when the entry cannot be examined.
std::optional<FileIdentity> identityAt(int dir, const char* name, Links links = Links::Examined);

// The kind of identity that stays valid on the file system of the open folder dir.
IdentityKind identityKindOf(int dir);

// The entry's identity of the given kind (a link examined, not followed); with its fingerprint
// when withHead. Nothing when the entry cannot be examined.
std::optional<FileIdentity> identityAt(int dir, const char* name, IdentityKind kind, bool withHead);

// The entry's identity now, taken the way recorded was, so that the two compare equal exactly
// when the entry is still the recorded file.
inline std::optional<FileIdentity> identityLike(int dir, const char* name,
                                                const FileIdentity& recorded)
{
    return identityAt(dir, name, recorded.kind, recorded.head.has_value());
}

} // namespace vornak
