#include "core/run/JournalRun.h"

#include "core/run/JournalFormat.h"

#include <unistd.h>

namespace vornak {

JournalRun::JournalRun(JournalError error, int errorNumber)
    : m_error(error), m_errorNumber(errorNumber)
{}

JournalRun::JournalRun(qint64 id, FileDescriptor journalFile)
    : m_id(id), m_file(std::move(journalFile))
{}

bool JournalRun::finish(std::size_t filesMoved)
{
    const FileDescriptor file = std::move(m_file);
    return file.isOpen() &&
           writeAll(file.get(), journal::completeMark(journal::kVersion, {filesMoved, false})) &&
           ::fdatasync(file.get()) == 0;
}

} // namespace vornak
