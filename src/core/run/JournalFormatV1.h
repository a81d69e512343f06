#pragma once

#include "core/run/JournalFormat.h"

// The first journal format: a header of three lines, one line per step with an inode identity
// or none, an end line, and the complete mark. Only read, for runs journaled before format 2.
namespace vornak::journal::v1 {

inline constexpr QByteArrayView kMagic = "vornak-rename-journal 1\n";
inline constexpr QByteArrayView kCompleteMark = "complete\n";

std::optional<JournalHeader> parseHeader(QByteArrayView head);
JournalState stateOf(QByteArrayView tail);
std::optional<JournalContent> parseJournal(QByteArrayView text);

} // namespace vornak::journal::v1
