#pragma once

#include <QByteArray>
#include <QString>

// Paths are kept as the exact bytes the file system holds, so a name that is not valid
// UTF-8 is still addressed correctly; text for the user is derived from them.
namespace vornak {

inline constexpr char kSeparator = '/';

QString displayText(const QByteArray& nativePath);
QByteArray nativeText(const QString& text);
QByteArray fileNameOf(const QByteArray& path);
// The folder with exactly one trailing separator; a root stays as it is.
QByteArray withTrailingSeparator(const QByteArray& folder);
// Makes a path absolute against base, removes "." and ".." and doubled separators.
QByteArray cleanAbsolutePath(const QByteArray& path, const QByteArray& base);
// The chain of folders from the root down to path, the root first.
QList<QByteArray> folderChain(const QByteArray& path);

} // namespace vornak
