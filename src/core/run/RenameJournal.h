#pragma once

#include "core/plan/RenamePlan.h"
#include "core/run/JournalFormat.h"
#include "core/run/JournalRun.h"
#include "core/run/RunUndo.h"

#include <QByteArray>

#include <optional>
#include <span>
#include <vector>

namespace vornak {

// A run the journal holds, as the undo question shows it.
struct RunInfo {
    qint64 id = 0;
    QByteArray folder;
    // The files the run was to move (or, after a partial undo, has left to give back).
    std::size_t steps = 0;
    // False for a run cut short: the program was killed or the machine stopped during it.
    bool complete = false;
    // Its journal is damaged: undo reports that and undoes nothing. folder and steps are empty
    // when the damage reaches the beginning.
    bool damaged = false;
    // The files it moved and undo can give back, where the journal knows (see RunTally); at
    // most steps.
    std::optional<std::size_t> files;
    // Its last undo gave none of its files back: they may never come back, and the user may
    // want to set the run aside.
    bool lastUndoRestoredNone = false;
    RunKind kind = RunKind::Rename;
};

// The record of the last rename runs, so that each can be undone, also after a crash.
//
// Before a run, begin() writes the folder and every planned step (old and new name, and the
// file's identity) to one file of the journal folder and flushes it once; no write happens per
// renamed file, since which steps happened is read off the folder itself at undo. The caller:
//
//     RenameJournal journal(RenameJournal::defaultFolder());
//     JournalRun run = journal.begin(folder, plan);
//     if (!run.isStarted())
//         return tell the user why (run.error(), run.errorNumber()), rename nothing;
//     ... rename plan in order (cancelling part way is fine) ...
//     (void)run.finish(files moved);
//
// At start, interruptedRuns() lists runs cut short, to offer undo(id) for each (or
// markComplete(id) when the user declines, so that the question is not asked again). Ctrl+Z
// undoes lastRun(). A run that moved no file (every file kept its name, or it was cancelled
// before the first) has nothing to undo and is not listed. The newest kKeptRuns runs are kept.
// A run leaves the journal only when every step is undone or was never done; an undo that
// leaves steps keeps those, and the run stays the one offered next, until the user sets it
// aside. A damaged journal is listed as such and, once undo has reported it, put aside; a
// journal put aside is kept (*.run.damaged, *.run.set-aside), never deleted, and the runs
// before it are offered again.
//
// On volumes without lasting inode numbers a rename may first claim the new name with an
// empty file (see moveNoReplace); there begin() journals a PlaceholderMade step before each
// rename, so that undo removes a placeholder that a run cut short left.
//
// Copies of the program share the folder: a lock file guards every read and change, and each
// run being done or undone holds a lock on its own file, so another copy neither takes it for
// a run cut short nor undoes it at the same time.
class RenameJournal {
public:
    static constexpr std::size_t kKeptRuns = 20;

    explicit RenameJournal(QByteArray journalFolder);
    // $XDG_STATE_HOME/vornak, by default ~/.local/state/vornak.
    static QByteArray defaultFolder();

    // Takes every file's identity (one stat each), writes the run's journal and flushes it,
    // dropping the oldest run beyond kKeptRuns. A run that is not started must not rename.
    // plan is the order the files are renamed in; a step may start at a name that only an
    // earlier step creates (a temporary name), and then moves the file that step moved there.
    // Every plan is journaled, an empty one too: begin only runs that rename something.
    JournalRun begin(const QByteArray& folder, const std::vector<Rename>& plan) const;
    // A run over folders below folder too: the plan's renames in stretches folder by folder,
    // each step journaled with its folder (none: all in folder itself).
    JournalRun begin(const QByteArray& folder, const std::vector<Rename>& plan,
                     std::span<const FolderStretch> stretches) const;
    // A run of steps whose identities the caller took (a run to the trash), journaled as given.
    JournalRun beginSteps(const QByteArray& folder, const std::vector<JournalStep>& steps) const;

    // The runs that can be undone, newest first: all but those another copy is doing or
    // undoing right now.
    std::vector<RunInfo> runs() const;
    std::optional<RunInfo> lastRun() const;
    std::vector<RunInfo> interruptedRuns() const;

    // Undoes the run and drops from the journal what was undone; see undoRenames for which
    // steps are undone. The run stays whole when its folder cannot be opened.
    [[nodiscard]] UndoReport undo(qint64 runId, const UndoProgress& progress = {}) const;
    // Marks a run cut short as complete: it stays undoable but is no longer offered at start.
    [[nodiscard]] bool markComplete(qint64 runId) const;
    // Puts a run aside whose files the user gives up on, so that the run before it is offered.
    // False when another copy holds the run or the folder refused.
    [[nodiscard]] bool setAside(qint64 runId) const;

private:
    // Writes a run's journal text, flushed and put in place whole.
    JournalRun write(const QByteArray& text) const;

    QByteArray m_folder;
};

} // namespace vornak
