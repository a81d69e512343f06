#pragma once

#include <QByteArray>
#include <QByteArrayList>
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

// Creates or overwrites a file with this content, by its exact bytes.
bool writeFile(const QByteArray& path, const QByteArray& content);
// The content of a file, or "(missing)" when it cannot be read.
QByteArray contentOf(const QByteArray& path);

// Removes the files of folder whose names are not valid UTF-8: QTemporaryDir decodes names and
// could not remove them itself.
void removeUndecodableFiles(const QByteArray& folder);

// Sets or clears the immutable flag of a file or folder: not even root may then rename,
// remove or change it, nor add to or remove from the folder. False when the file system
// refuses.
bool setImmutable(const QByteArray& path, bool immutable);

// Writes a file of the open folder dir with exactly this content; false when it could not.
bool writeFile(int dir, const QByteArray& name, const QByteArray& content);

// The names of the open folder dir exactly as it stores them, in the order it lists them.
QByteArrayList entryNames(int dir);
// The names of the folder at this path, sorted.
QByteArrayList sortedNames(const QByteArray& folder);

// The entries of the open folder dir as "name=content" (the first bytes), sorted: what a test
// expects a folder to hold after renames, down to stray files.
QByteArrayList folderState(int dir);
QByteArrayList folderState(const QByteArray& folder);
// Makes the entries below root, in order: "a/" a folder, "a/b!/" a folder nobody but root may
// read, "a/l@t" a symbolic link to t, anything else a file holding its own path.
bool makeTree(const QByteArray& root, const QByteArrayList& entries);
// Every entry below root, subfolders included, as "/path=content" ("/path=" for a folder),
// sorted: what undo must give back to a tree.
QByteArrayList treeState(const QByteArray& root);

} // namespace vornak::test
