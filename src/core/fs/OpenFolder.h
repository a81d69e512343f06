#pragma once

#include "core/fs/FileDescriptor.h"
#include "core/fs/FileSystem.h"
#include "core/fs/FolderSpellings.h"
#include "core/fs/RenameResult.h"
#include "core/fs/SystemCalls.h"

#include <QByteArray>

#include <optional>

namespace vornak {

// A folder held open while many of its entries are handled: each entry is addressed relative
// to it, so the folder's own path is resolved once instead of once per entry.
class OpenFolder {
public:
    // A folder that cannot be opened fails every operation. calls: the system calls its
    // renames make, kept by reference.
    explicit OpenFolder(const QByteArray& path, const fs::SystemCalls& calls = fs::kSystemCalls);
    // The folder dir holds, taken over; when it is not open, errno says why.
    explicit OpenFolder(FileDescriptor dir, const fs::SystemCalls& calls = fs::kSystemCalls);

    // The folder's descriptor (-1 when it could not be opened) and why it could not be.
    int fd() const { return m_fd.get(); }
    int openError() const { return m_openError; }

    // Length of a listed-kind entry (a regular file or a link to one).
    std::optional<qint64> fileLength(const QByteArray& name) const;
    // Renames the entry within the folder without ever replacing an existing one, on any file
    // system. A rename that changes only letter case takes effect on a volume that ignores
    // case too: where a direct rename there leaves the old spelling, it passes through
    // caseStepName(from).
    [[nodiscard]] RenameResult renameNoReplace(const QByteArray& from, const QByteArray& to);

private:
    // How a direct case-only rename fares on this folder's volume: tried once, then known.
    enum class DirectCaseRename { Untried, TakesEffect, Ignored };

    RenameResult renameCaseOnly(const QByteArray& from, const QByteArray& to);
    RenameResult renameThroughStepName(const QByteArray& from, const QByteArray& to);
    RenameResult renameNoted(const QByteArray& from, const QByteArray& to);

    const fs::SystemCalls& m_calls;
    FileDescriptor m_fd;
    int m_openError;
    // Read at the first case-only rename whose new name the volume reports as taken.
    std::optional<FolderSpellings> m_spellings;
    DirectCaseRename m_directCaseRename = DirectCaseRename::Untried;
    // Learned by the renames that succeeded: a batch on exFAT through FUSE asks for the flag and
    // the link once, not once a file.
    fs::NoReplaceWay m_noReplaceWay = fs::NoReplaceWay::Flag;
};

} // namespace vornak
