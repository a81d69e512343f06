#pragma once

#include <QFile>
#include <QString>

namespace vornak::test {

// Creates or replaces a file of the given length in a test's temporary folder.
inline bool makeFile(const QString& path, qint64 length)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(length);
}

} // namespace vornak::test
