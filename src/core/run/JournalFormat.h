#pragma once

#include "core/fs/FileIdentity.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

namespace vornak {

// One planned rename as the journal keeps it: the names as exact bytes and the identity the
// file had just before the run; no identity when the file could not be examined then.
struct JournalStep {
    QByteArray oldName;
    QByteArray newName;
    std::optional<FileIdentity> identity;
};

// The beginning of a run's journal: enough to offer the run without reading all its steps.
struct JournalHeader {
    QByteArray folder;
    std::size_t steps = 0;
};

struct JournalContent {
    QByteArray folder;
    std::vector<JournalStep> steps;
};

// How far a run's journal got. Unfinished: its writer died before the end mark, so no file of
// the run was renamed. Started: written and flushed, the run may have renamed any of its
// files. Complete: the run ended normally.
enum class JournalState { Unfinished, Started, Complete };

// The journal is text with one line per step. Names and the folder are percent-encoded only
// where a byte would break the line structure (controls, space, DEL, "%"); every other byte,
// valid UTF-8 or not, is kept as it is, so the journal of a large run stays small.
namespace journal {

// Enough of a journal's beginning to hold its header: the longest path the system opens,
// every byte encoded.
inline constexpr qsizetype kLongestHeader = 16384;
// Enough of a journal's end to tell its state.
inline constexpr qsizetype kLongestTail = 16;
inline constexpr QByteArrayView kCompleteMark = "complete\n";

void appendHeader(QByteArray& text, QByteArrayView folder, std::size_t steps);
void appendStep(QByteArray& text, QByteArrayView oldName, QByteArrayView newName,
                const std::optional<FileIdentity>& identity);
void appendEnd(QByteArray& text);

// The header from a journal's first kLongestHeader bytes (or all of a shorter one).
std::optional<JournalHeader> parseHeader(QByteArrayView head);
// The state from a journal's last kLongestTail bytes (or all of a shorter one).
JournalState stateOf(QByteArrayView tail);
// A whole journal; nothing when any part of it is damaged, or a step names anything but an
// entry of the folder itself (an undo must never reach outside it).
std::optional<JournalContent> parseJournal(QByteArrayView text);

} // namespace journal

} // namespace vornak
