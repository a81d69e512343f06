#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vornak::test {

// Creates a file of this many bytes with plain system calls, so that a name that is not valid
// UTF-8 keeps its exact bytes; a large length is a hole and takes no disk space. False when
// the file could not be made.
bool makeFile(const QByteArray& path, qint64 length = 0);

inline bool makeFile(const QString& path, qint64 length = 0)
{
    return makeFile(QFile::encodeName(path), length);
}

// Removes the files of folder whose names are not valid UTF-8: QTemporaryDir decodes names and
// could not remove them itself.
void removeUndecodableFiles(const QByteArray& folder);

} // namespace vornak::test
