#include "core/fs/OpenFolder.h"

#include "core/fs/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornak {

OpenFolder::OpenFolder(const QByteArray& path, const fs::SystemCalls& calls)
    : m_calls(calls),
      m_fd(calls.openat(AT_FDCWD, path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0)),
      m_openError(m_fd.isOpen() ? 0 : errno)
{}

OpenFolder::OpenFolder(FileDescriptor dir, const fs::SystemCalls& calls)
    : m_calls(calls), m_fd(std::move(dir)), m_openError(m_fd.isOpen() ? 0 : errno)
{}

std::optional<qint64> OpenFolder::fileLength(const QByteArray& name) const
{
    struct stat st {};
    if (!m_fd.isOpen() || name.isEmpty() || ::fstatat(m_fd.get(), name.constData(), &st, 0) != 0 ||
        !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<qint64>(st.st_size);
}

RenameResult OpenFolder::renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (!m_fd.isOpen())
        return {fs::renameFailure(m_openError, m_fd.get(), from), RenameRoute::Direct, m_openError};
    const RenameResult result = renameNoted(from, to);
    // A volume that ignores case finds the file itself under the new spelling.
    if (result.outcome == RenameOutcome::TargetExists &&
        FolderSpellings::differOnlyInCase(from, to))
        return renameCaseOnly(from, to);
    return result;
}

RenameResult OpenFolder::renameCaseOnly(const QByteArray& from, const QByteArray& to)
{
    if (!m_spellings || !m_spellings->holds(from))
        m_spellings = FolderSpellings::read(m_fd.get());
    if (!m_spellings)
        return {RenameOutcome::Other};
    if (!m_spellings->holds(from))
        return {RenameOutcome::SourceGone};
    // Another entry under the new spelling, or one the volume may take for it, stays.
    if (m_spellings->holds(to) || m_spellings->holdsOtherLike(to, from))
        return {RenameOutcome::TargetExists};
    if (m_directCaseRename == DirectCaseRename::Ignored)
        return renameThroughStepName(from, to);

    // The new spelling names the file itself, so nothing else can be replaced.
    if (m_calls.renameat2(m_fd.get(), from.constData(), m_fd.get(), to.constData(), 0) != 0) {
        const int error = errno;
        return {fs::renameFailure(error, m_fd.get(), from), RenameRoute::Direct, error};
    }
    if (m_directCaseRename == DirectCaseRename::TakesEffect) {
        m_spellings->moved(from, to);
        return {RenameOutcome::Renamed};
    }
    // Kernel FAT, for one, reports success and changes nothing.
    m_spellings = FolderSpellings::read(m_fd.get());
    if (m_spellings && m_spellings->holds(to)) {
        m_directCaseRename = DirectCaseRename::TakesEffect;
        return {RenameOutcome::Renamed};
    }
    if (!m_spellings || !m_spellings->holds(from))
        return {RenameOutcome::Other};
    m_directCaseRename = DirectCaseRename::Ignored;
    return renameThroughStepName(from, to);
}

RenameResult OpenFolder::renameThroughStepName(const QByteArray& from, const QByteArray& to)
{
    const QByteArray step = caseStepName(from);
    const RenameResult away = renameNoted(from, step);
    if (!away.renamed()) {
        // A taken step name is not the new name being taken.
        if (away.outcome == RenameOutcome::TargetExists)
            return {RenameOutcome::Other, RenameRoute::Direct, away.error};
        return away;
    }
    RenameResult on = renameNoted(step, to);
    on.route = on.renamed() || renameNoted(step, from).renamed() ? RenameRoute::ThroughStepName
                                                                 : RenameRoute::LeftAtStepName;
    return on;
}

RenameResult OpenFolder::renameNoted(const QByteArray& from, const QByteArray& to)
{
    const RenameResult result =
        fs::renameNoReplaceAt(m_fd.get(), from, to, m_calls, &m_noReplaceWay);
    if (result.renamed() && m_spellings)
        m_spellings->moved(from, to);
    return result;
}

} // namespace vornak
