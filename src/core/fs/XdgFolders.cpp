#include "core/fs/XdgFolders.h"

#include "core/names/NativePath.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace vornak {

namespace {

QByteArray baseFolder(const char* variable, const char* underHome)
{
    const QByteArray value = qgetenv(variable);
    if (value.startsWith(kSeparator))
        return value;
    QByteArray home = qgetenv("HOME");
    if (!home.startsWith(kSeparator))
        home = QFile::encodeName(QDir::homePath());
    return withTrailingSeparator(home) + underHome;
}

} // namespace

QByteArray xdgStateHome()
{
    return baseFolder("XDG_STATE_HOME", ".local/state");
}

QByteArray xdgDataHome()
{
    return baseFolder("XDG_DATA_HOME", ".local/share");
}

int createFolders(const QByteArray& path)
{
    // The first folder above that cannot be made is why the path cannot: the folders below it
    // fail only for want of it.
    int aboveError = 0;
    for (qsizetype end = path.indexOf(kSeparator, 1); end >= 0;
         end = path.indexOf(kSeparator, end + 1)) {
        if (::mkdir(path.left(end).constData(), 0700) != 0 && errno != EEXIST && aboveError == 0)
            aboveError = errno;
    }
    if (::mkdir(path.constData(), 0700) == 0)
        return 0;
    const int error = errno;
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return error == ENOENT && aboveError != 0 ? aboveError : error;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

} // namespace vornak
