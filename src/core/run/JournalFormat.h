#pragma once

#include "core/fs/FileIdentity.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

namespace vornak {

// What a step of a run did to its file.
enum class StepKind : quint8 {
    // Renamed within its folder.
    Rename,
    // Moved to a temporary name on the way to its new one.
    ThroughTemporary,
    // Moved to the trash.
    ToTrash,
    // An empty file was created under the new name to claim it; the file then replaces it.
    // Journaled, with placeholderIdentity, before the Rename step of the same names.
    PlaceholderMade,
};

// One planned step as the journal keeps it: the names as exact bytes and the identity the file
// had just before the run; no identity when the file could not be examined then.
struct JournalStep {
    QByteArray oldName;
    // For a step to the trash, the absolute path the file took in the trash's files/ folder.
    QByteArray newName;
    std::optional<FileIdentity> identity;
    StepKind kind = StepKind::Rename;
    // The step's folder below the run's folder; empty for the run's folder itself.
    QByteArray subfolder;
};

// What a run did to its files as a whole: renamed them, or moved every one to the trash.
enum class RunKind : quint8 { Rename, ToTrash };

// The beginning of a run's journal: enough to offer the run without reading all its steps.
struct JournalHeader {
    int version = 0;
    QByteArray folder;
    std::size_t steps = 0;
    // Of the steps, those that do not move a file of their own: the placeholders that claim a
    // name, and the leg of each cycle's first file to its temporary name.
    std::size_t extraSteps = 0;
    RunKind kind = RunKind::Rename;
};

// What the complete mark says of a run.
struct RunTally {
    // The files the run moved, which undo can give back: renamed, or left at a case-only
    // rename's step name. Unknown for journals written before it was counted and for runs cut
    // short and marked complete since.
    std::optional<std::size_t> files;
    // The last undo of the run gave none of its files back.
    bool lastUndoRestoredNone = false;
};

struct JournalContent {
    QByteArray folder;
    std::vector<JournalStep> steps;
};

// How far a run's journal got. Unfinished: its writer died before the end mark, so no file of
// the run was renamed (only the first format could be left so; later ones are written aside
// and put in place whole). Started: written and flushed, the run may have renamed any of its
// files. Complete: the run ended normally. Damaged: put in place whole, it has lost its end.
enum class JournalState { Unfinished, Started, Complete, Damaged };

// The journal is text. Format 2, written today, is a version line and then records, each
// "LLLLLLLL CCCCCCCCCCCCCCCC payload\n": the payload's length and its XXH3 in hex, so that a
// record cut short or changed is told from a whole one. Format 1, one line per step without
// checks, is still read. Names and folders are percent-encoded only where a byte would break
// the structure (controls, space, DEL, "%"); every other byte, valid UTF-8 or not, is kept as
// it is, so the journal of a large run stays small.
namespace journal {

inline constexpr int kVersion = 2;
// Enough of a journal's beginning to hold its header: the longest path the system opens,
// every byte encoded.
inline constexpr qsizetype kLongestHeader = 16384;
// Enough of a journal's end to tell its state.
inline constexpr qsizetype kLongestTail = 128;

void appendHeader(QByteArray& text, QByteArrayView folder, std::size_t steps,
                  std::size_t extraSteps = 0, RunKind kind = RunKind::Rename);
void appendStep(QByteArray& text, StepKind kind, QByteArrayView subfolder, QByteArrayView oldName,
                QByteArrayView newName, const std::optional<FileIdentity>& identity);
void appendEnd(QByteArray& text);
// What finish() appends to a journal of the given version; the first format keeps no tally.
QByteArray completeMark(int version, const RunTally& tally = {});

// A whole journal with the given steps, as a run writes it before its first move.
QByteArray startedJournal(QByteArrayView folder, const std::vector<JournalStep>& steps);
// A whole journal with the given steps, complete.
QByteArray completeJournal(QByteArrayView folder, const std::vector<JournalStep>& steps,
                           const RunTally& tally);

// The identity a PlaceholderMade step records: that of an empty file made no earlier than
// sinceNs, when the run began.
inline FileIdentity placeholderIdentity(qint64 sinceNs)
{
    return {0, 0, 0, sinceNs, IdentityKind::Content, std::nullopt};
}

// The header from a journal's first kLongestHeader bytes (or all of a shorter one).
std::optional<JournalHeader> parseHeader(QByteArrayView head);
// The version a journal's beginning names; 0 for none known.
int versionOf(QByteArrayView head);
// The state from a journal's last kLongestTail bytes (or all of a shorter one).
JournalState stateOf(QByteArrayView tail, int version);
// The tally of a complete journal from the same tail; empty for any other.
RunTally tallyOf(QByteArrayView tail, int version);
// A whole journal; nothing when any part of it is damaged, or a step names anything but an
// entry below the folder (an undo must never reach outside it), or, for a step to the trash,
// an entry of a trash's files/ folder.
std::optional<JournalContent> parseJournal(QByteArrayView text);

} // namespace journal

} // namespace vornak
