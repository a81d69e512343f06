#pragma once

#include <sys/types.h>

namespace vornak::fs {

// The system calls a rename makes, in one replaceable table: a test puts in calls that fail
// as file systems this machine may not have fail, to drive each fallback of a rename.
struct SystemCalls {
    int (*renameat2)(int fromDir, const char* from, int toDir, const char* to, unsigned flags);
    int (*linkat)(int fromDir, const char* from, int toDir, const char* to, int flags);
    int (*unlinkat)(int dir, const char* name, int flags);
    int (*openat)(int dir, const char* name, int flags, mode_t mode);
};

// The calls of the running system.
extern const SystemCalls kSystemCalls;

// The table in force: kSystemCalls unless a ScopedSystemCalls replaced it.
const SystemCalls& systemCalls();

// Puts a table in force for its own lifetime (tests only; not for use across threads).
class ScopedSystemCalls {
public:
    explicit ScopedSystemCalls(const SystemCalls& calls);
    ~ScopedSystemCalls();
    ScopedSystemCalls(const ScopedSystemCalls&) = delete;
    ScopedSystemCalls& operator=(const ScopedSystemCalls&) = delete;

private:
    const SystemCalls* m_previous;
};

} // namespace vornak::fs
