#pragma once

#include "core/fs/FileDescriptor.h"

#include <QtGlobal>

#include <cstddef>

namespace vornak {

// Why a run could not be journaled; the run must not start.
enum class JournalError {
    None,
    // The journal folder or file cannot be created, written or flushed (read-only, full).
    JournalUnwritable,
    // The folder of the files cannot be opened, so their identities cannot be taken.
    FolderUnavailable,
};

// A run whose journal is on disk, from RenameJournal::begin. Keep it while the files are
// renamed and finish it when the run ends. While it is held, every copy of the program sees the
// run as in progress, never as cut short; a run dropped without finish() (the program killed)
// counts as cut short.
class [[nodiscard]] JournalRun {
public:
    JournalRun(JournalError error, int errorNumber);
    JournalRun(qint64 id, FileDescriptor journalFile);
    JournalRun(JournalRun&&) noexcept = default;
    JournalRun& operator=(JournalRun&&) noexcept = default;

    // True from a successful begin until finish().
    bool isStarted() const { return m_file.isOpen(); }
    JournalError error() const { return m_error; }
    // The errno behind error(), for the message.
    int errorNumber() const { return m_errorNumber; }
    qint64 id() const { return m_id; }

    // Marks the run complete, also when the user cancelled it part way, with the number of
    // files it moved (renamed, or left at a step name); a run that moved none is no longer
    // offered for undo. False when the mark could not be written: the run then counts as cut
    // short at the next start, which costs a question but no file.
    [[nodiscard]] bool finish(std::size_t filesMoved);

private:
    qint64 m_id = 0;
    FileDescriptor m_file;
    JournalError m_error = JournalError::None;
    int m_errorNumber = 0;
};

} // namespace vornak
