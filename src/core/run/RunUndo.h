#pragma once

#include "core/run/JournalFormat.h"

#include <QByteArray>

#include <functional>
#include <vector>

namespace vornak {

// What became of one step of a run on its way back.
enum class UndoOutcome {
    // The file has its old name again.
    Restored,
    // The step never happened (the file still has its old name): nothing to do.
    NotRenamed,
    // Something else holds the new name: the file was changed, replaced or never identified.
    Changed,
    // Neither name holds the file any more.
    Missing,
    // Another file has taken the old name since.
    OldNameTaken,
    // The file system refused the rename (or the step's folder could not be opened below the
    // run's folder); error says why.
    Failed,
    // The empty file the run made to claim the new name, left by a run cut short before the
    // file moved, was removed. Placeholders are not the user's files: counted nowhere.
    PlaceholderRemoved,
    // What may be that placeholder has been written to since, or could not be removed (error
    // says why): it stays, and the user is told.
    PlaceholderKept,
};

struct UndoStep {
    QByteArray oldName;
    QByteArray newName;
    UndoOutcome outcome = UndoOutcome::Failed;
    int error = 0;
    // The step from a temporary name on to the new one: its file is counted by the step that
    // moved it there.
    bool fromTemporary = false;
};

enum class UndoStatus {
    // Every step was tried; the steps tell each outcome.
    Undone,
    // The journal holds no run of that id (undone or dropped meanwhile).
    NoSuchRun,
    // Another copy of the program is still doing or undoing that run.
    InProgress,
    // The folder cannot be opened (error says why); the run stays in the journal.
    FolderUnavailable,
    // The run's journal is damaged and has been put aside; nothing was touched.
    JournalUnreadable,
};

// What an undo did, for the report window: the steps in the order they were undone; a step in
// a folder below the run's names its file with that folder (sub/name).
struct UndoReport {
    UndoStatus status = UndoStatus::NoSuchRun;
    int error = 0;
    QByteArray folder;
    std::vector<UndoStep> steps;
};

// The files an undo gave back and those it could not; placeholders are not counted, and a file
// that went through a temporary name counts once.
struct UndoTally {
    std::size_t restored = 0;
    std::size_t notRestored = 0;
};
UndoTally tallyOf(const UndoReport& report);
// Whether the undo's outcome tells of the step: a file not restored, or a placeholder kept.
bool isTold(const UndoStep& step);

// Called after each step with the files done so far and their number (placeholders are not
// files), for a progress display.
using UndoProgress = std::function<void(std::size_t done, std::size_t total)>;

// Gives the files of a run their old names back, the last step first, never replacing a file,
// and only where the file at the new name is still the one renamed: its whole identity
// matches. A placeholder the run made and left is removed while it is still the empty file
// made and its file never moved. Which steps happened is read off the folder, so this undoes
// exactly a run that was cut short anywhere. A file moved to the trash comes back from there,
// on the same terms, and its .trashinfo goes. Steps in folders below folder are undone there,
// each folder opened from folder part by part without following a link, so no step reaches
// outside folder.
UndoReport undoRenames(const QByteArray& folder, const std::vector<JournalStep>& steps,
                       const UndoProgress& progress = {});

} // namespace vornak
