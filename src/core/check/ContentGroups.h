#pragma once

#include "core/check/ContentFindings.h"

#include "core/fs/SystemCalls.h"
#include "core/names/NameList.h"

#include <QByteArray>

#include <functional>
#include <stop_token>

namespace vornak {

struct ContentOptions {
    // The most files held open at once (besides the folder); a larger group of one length is
    // narrowed by hashes of its ends, then compared byte by byte in batches of this many.
    // Lowered to a quarter of the process's limit on open files.
    std::size_t openFiles = 256;
    // The block read at each end of a file before its middle.
    qint64 blockBytes = 4096;
    // The most bytes read from one file at a time; a file of at most this length is read whole.
    qint64 chunkBytes = 256 * 1024;
    // Bytes read (or known to be zeros) so far and in all; called often, on the checking thread.
    std::function<void(qint64 done, qint64 total)> progress;
    // Checked before every read: a stopped check ends within one read of one chunk.
    std::stop_token stop;
    // The calls that open, read and examine the files.
    const fs::SystemCalls* calls = &fs::kSystemCalls;
};

// Finds the entries of the folder whose files hold the same bytes: files of equal length are
// compared side by side, chunk by chunk, each file read once; a group is split wherever its
// files differ. Hard links count as one file. A file that cannot be read, or that changes
// while it is compared, is never in a group; nor is a file taken for a copy on a hash alone.
// Nothing is written.
[[nodiscard]] ContentFindings findIdenticalContents(const QByteArray& folder,
                                                    const NameList& entries,
                                                    const ContentOptions& options);

} // namespace vornak
