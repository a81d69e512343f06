#include "core/fs/FileIdentity.h"

#include "core/fs/FileDescriptor.h"

#include <xxhash.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace vornak {

namespace {

// Magic numbers of the file systems whose inode numbers do not last (linux/magic.h and the
// drivers); every FUSE file system shares one.
constexpr unsigned long kFuseMagic = 0x65735546;
constexpr unsigned long kMsdosMagic = 0x4d44;
constexpr unsigned long kExfatMagic = 0x2011BAB0;
constexpr unsigned long kCifsMagic = 0xFF534D42;
constexpr unsigned long kSmb2Magic = 0xFE534D42;
constexpr unsigned long kSmbMagic = 0x517B;

quint64 headOf(int dir, const char* name, const struct stat& st)
{
    char bytes[kHeadBytes];
    ssize_t length = 0;
    if (S_ISLNK(st.st_mode)) {
        length = ::readlinkat(dir, name, bytes, sizeof bytes);
    } else if (S_ISREG(st.st_mode)) {
        const FileDescriptor file(
            ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        length = file.isOpen() ? ::pread(file.get(), bytes, sizeof bytes, 0) : -1;
    }
    return XXH3_64bits(bytes, std::size_t(std::max<ssize_t>(length, 0)));
}

FileIdentity inodeIdentity(const struct stat& st)
{
    return {static_cast<quint64>(st.st_dev),
            static_cast<quint64>(st.st_ino),
            static_cast<qint64>(st.st_size),
            static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 +
                static_cast<qint64>(st.st_mtim.tv_nsec),
            IdentityKind::Inode,
            std::nullopt};
}

} // namespace

std::optional<FileIdentity> identityAt(int dir, const char* name, Links links)
{
    struct stat st {};
    if (::fstatat(dir, name, &st, links == Links::Examined ? AT_SYMLINK_NOFOLLOW : 0) != 0)
        return std::nullopt;
    return inodeIdentity(st);
}

IdentityKind identityKindOf(int dir)
{
    struct statfs fs {};
    if (::fstatfs(dir, &fs) != 0)
        return IdentityKind::Inode;
    switch (static_cast<unsigned long>(fs.f_type) & 0xFFFFFFFFul) {
    case kFuseMagic:
    case kMsdosMagic:
    case kExfatMagic:
    case kCifsMagic:
    case kSmb2Magic:
    case kSmbMagic:
        return IdentityKind::Content;
    default:
        return IdentityKind::Inode;
    }
}

std::optional<FileIdentity> identityAt(int dir, const char* name, IdentityKind kind, bool withHead)
{
    struct stat st {};
    if (::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    FileIdentity identity = inodeIdentity(st);
    if (kind == IdentityKind::Content) {
        identity.kind = kind;
        identity.device = identity.inode = 0;
    }
    if (withHead)
        identity.head = headOf(dir, name, st);
    return identity;
}

} // namespace vornak
