#include "core/trash/Trash.h"

#include "core/fs/FileDescriptor.h"
#include "core/fs/FileSystem.h"
#include "core/fs/XdgFolders.h"
#include "core/names/NativePath.h"
#include "core/plan/RenamePlan.h"
#include "core/trash/TrashInfo.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vornak {

namespace {

constexpr int kMostAttempts = 10000;

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf(kSeparator);
    return slash <= 0 ? QByteArray(1, kSeparator) : path.left(slash);
}

std::optional<dev_t> deviceOf(const QByteArray& path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return std::nullopt;
    return st.st_dev;
}

// The device a folder is or will be on: that of its nearest folder that exists.
std::optional<dev_t> nearestDevice(QByteArray path)
{
    for (;;) {
        if (const auto device = deviceOf(path))
            return device;
        if (path == QByteArrayView("/"))
            return std::nullopt;
        path = parentOf(path);
    }
}

// The volume's top folder: up from folder while the device stays the same.
QByteArray topFolderOf(QByteArray folder, dev_t device)
{
    while (folder != QByteArrayView("/")) {
        const QByteArray parent = parentOf(folder);
        if (deviceOf(parent) != device)
            break;
        folder = parent;
    }
    return folder;
}

QByteArray realFolder(const QByteArray& folder)
{
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.constData(), nullptr),
                                                           &std::free);
    return real ? QByteArray(real.get()) : QByteArray();
}

// 0 when the trash has its two folders, else why it has not.
int createTrashFolders(const QByteArray& trash)
{
    const int error = createFolders(trash + "/files");
    return error != 0 ? error : createFolders(trash + "/info");
}

// A trash of a shared volume must be a real folder of this user's, or someone else could
// read or redirect what is trashed.
bool isOwnTrash(const QByteArray& trash)
{
    ::mkdir(trash.constData(), 0700);
    struct stat st {};
    return ::lstat(trash.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           createTrashFolders(trash) == 0;
}

// The trash of a volume other than the home one, or nothing when the user has none there.
std::optional<QByteArray> volumeTrash(const QByteArray& topFolder)
{
    const QByteArray top = topFolder == QByteArrayView("/") ? QByteArray() : topFolder;
    const QByteArray user = QByteArray::number(::getuid());
    const QByteArray shared = top + "/.Trash";
    struct stat st {};
    if (::lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) &&
        isOwnTrash(shared + '/' + user))
        return shared + '/' + user;
    const QByteArray own = top + "/.Trash-" + user;
    if (isOwnTrash(own))
        return own;
    return std::nullopt;
}

TrashResult failed(int error)
{
    return {TrashOutcome::Failed, error, {}};
}

// Claims a name in the trash for the entry: its .trashinfo, made exclusively and flushed, under
// a name that no entry of files/ has either.
TrashResult claimIn(const QByteArray& trash, const QByteArray& recordedPath, const QByteArray& name)
{
    const QByteArray info = trashInfoText(recordedPath, QDateTime::currentDateTime());
    for (int attempt = 1; attempt <= kMostAttempts; ++attempt) {
        const QByteArray entry = trashEntryName(name, attempt);
        const QByteArray infoPath = trash + "/info/" + entry + kTrashInfoSuffix.toByteArray();
        FileDescriptor infoFile(
            ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!infoFile.isOpen()) {
            const int error = errno;
            if (error == EEXIST)
                continue;
            return failed(error);
        }
        const bool written = writeAll(infoFile.get(), info) && ::fsync(infoFile.get()) == 0;
        const int writeError = written ? 0 : errno;
        infoFile.reset();
        const QByteArray trashed = trash + "/files/" + entry;
        struct stat st {};
        if (written && ::lstat(trashed.constData(), &st) != 0 && errno == ENOENT)
            return {TrashOutcome::Trashed, 0, trashed};
        ::unlink(infoPath.constData());
        if (!written)
            return failed(writeError);
    }
    return failed(EEXIST);
}

} // namespace

Trash::Trash(QByteArray homeTrash) : m_homeTrash(std::move(homeTrash)) {}

QByteArray Trash::homeTrashFolder()
{
    return xdgDataHome() + "/Trash";
}

Trash::Place Trash::placeOf(const QByteArray& path) const
{
    const QByteArray name = fileNameOf(path);
    if (!path.startsWith(kSeparator) || !isEntryName(name))
        return {{}, {}, {}, EINVAL};
    const QByteArray folder = realFolder(parentOf(path));
    struct stat st {};
    if (folder.isEmpty() || ::lstat(path.constData(), &st) != 0)
        return {{}, {}, {}, errno};
    const QByteArray original = withTrailingSeparator(folder) + name;
    if (nearestDevice(m_homeTrash) == st.st_dev) {
        const int error = createTrashFolders(m_homeTrash);
        return {error == 0 ? m_homeTrash : QByteArray(), original, name, error};
    }
    // A volume's trash records the path from the volume's top, so it still holds when the
    // volume is mounted elsewhere.
    const QByteArray top = topFolderOf(folder, st.st_dev);
    const auto trash = volumeTrash(top);
    return {trash.value_or(QByteArray()), original.sliced(withTrailingSeparator(top).size()), name,
            0};
}

bool Trash::hasTrashFor(const QByteArray& path) const
{
    const Place place = placeOf(path);
    return !place.trash.isEmpty() || place.error != 0;
}

TrashResult Trash::claim(const QByteArray& path) const
{
    const Place place = placeOf(path);
    if (place.error != 0)
        return failed(place.error);
    if (place.trash.isEmpty())
        return {TrashOutcome::NoTrashOnVolume, 0, {}};
    return claimIn(place.trash, place.recordedPath, place.name);
}

int Trash::moveClaimed(const QByteArray& path, const QByteArray& trashedAs)
{
    const int error = fs::moveNoReplace(AT_FDCWD, path, AT_FDCWD, trashedAs);
    if (error != 0)
        release(trashedAs);
    return error;
}

void Trash::release(const QByteArray& trashedAs)
{
    ::unlink(infoPathOf(trashedAs).constData());
}

QByteArray Trash::infoPathOf(const QByteArray& trashedAs)
{
    const QByteArray files = parentOf(trashedAs);
    return parentOf(files) + "/info/" + fileNameOf(trashedAs) + kTrashInfoSuffix.toByteArray();
}

TrashResult Trash::moveToTrash(const QByteArray& path) const
{
    for (int attempt = 1; attempt <= kMostAttempts; ++attempt) {
        const TrashResult claimed = claim(path);
        if (claimed.outcome != TrashOutcome::Trashed)
            return claimed;
        const int error = moveClaimed(path, claimed.trashedAs);
        if (error == 0)
            return claimed;
        // Another took the claimed name in files/ meanwhile: claim the next one.
        if (error != EEXIST)
            return failed(error);
    }
    return failed(EEXIST);
}

} // namespace vornak
