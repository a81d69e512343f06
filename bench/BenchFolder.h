#pragma once

#include <QByteArray>
#include <QTemporaryDir>

namespace vornak::bench {

// A temporary folder of n files with spaces and CJK characters in their names; about one
// file in ten belongs to a group of files of equal size, the others have sizes of their own.
// The folder is made in parent (by default the system's temporary folder), so that a volume
// of another file system can be measured, and is removed with the object.
class BenchFolder {
public:
    explicit BenchFolder(int files, const QString& parent = {});

    QByteArray path() const;
    int files() const { return m_files; }

private:
    QTemporaryDir m_dir;
    int m_files;
};

} // namespace vornak::bench
