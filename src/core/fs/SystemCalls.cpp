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
};

namespace {

const SystemCalls* g_inForce = &kSystemCalls;

} // namespace

const SystemCalls& systemCalls()
{
    return *g_inForce;
}

ScopedSystemCalls::ScopedSystemCalls(const SystemCalls& calls) : m_previous(g_inForce)
{
    g_inForce = &calls;
}

ScopedSystemCalls::~ScopedSystemCalls()
{
    g_inForce = m_previous;
}

} // namespace vornak::fs
