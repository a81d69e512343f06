#include "core/fs/SystemCalls.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace vornak::fs {

const SystemCalls kSystemCalls{
    [](int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
        return ::renameat2(fromDir, from, toDir, to, flags);
    },
    [](int fromDir, const char* from, int toDir, const char* to, int flags) {
        return ::linkat(fromDir, from, toDir, to, flags);
    },
    [](int dir, const char* name, int flags) { return ::unlinkat(dir, name, flags); },
    [](int dir, const char* name, int flags, mode_t mode) {
        return ::openat(dir, name, flags, mode);
    },
    [](int fd, void* buffer, size_t count, off_t offset) {
        return ::pread(fd, buffer, count, offset);
    },
    [](int fd, struct stat* st) { return ::fstat(fd, st); },
};

} // namespace vornak::fs
