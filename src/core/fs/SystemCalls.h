#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace vornak::fs {

// The system calls that renames and the content check make, in one table handed to whoever
// makes them: a test gives a table whose calls fail as file systems this machine may not have
// fail, or as a disk does part-way through a file, to drive each fallback and failure path.
struct SystemCalls {
    int (*renameat2)(int fromDir, const char* from, int toDir, const char* to, unsigned flags);
    int (*linkat)(int fromDir, const char* from, int toDir, const char* to, int flags);
    int (*unlinkat)(int dir, const char* name, int flags);
    // Also opens a path, relative to AT_FDCWD.
    int (*openat)(int dir, const char* name, int flags, mode_t mode);
    ssize_t (*pread)(int fd, void* buffer, size_t count, off_t offset);
    int (*fstat)(int fd, struct stat* st);
};

// The calls of the running system.
extern const SystemCalls kSystemCalls;

} // namespace vornak::fs
