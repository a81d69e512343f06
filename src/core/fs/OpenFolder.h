#pragma once

#include "core/fs/FolderSpellings.h"
#include "core/fs/RenameResult.h"

#include <QByteArray>

#include <optional>

namespace vornak {

// A folder held open while many of its entries are handled: each entry is addressed relative
// to it, so the folder's own path is resolved once instead of once per entry.
class OpenFolder {
public:
    // A folder that cannot be opened fails every operation.
    explicit OpenFolder(const QByteArray& path);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

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

    int m_fd;
    int m_openError;
    // Read at the first case-only rename whose new name the volume reports as taken.
    std::optional<FolderSpellings> m_spellings;
    DirectCaseRename m_directCaseRename = DirectCaseRename::Untried;
};

} // namespace vornak
