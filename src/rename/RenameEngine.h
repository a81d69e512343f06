#pragma once

#include "InputHold.h"
#include "RunProgress.h"
#include "core/jobs/BackgroundJob.h"
#include "core/names/NameList.h"
#include "core/run/RenameJob.h"
#include "core/run/RenameJournal.h"
#include "platform/Platform.h"
#include "texts/ReportLines.h"
#include "widgets/ResultsWindow.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace vornak {

// The folder the windows show, read again by a job after its renames; nothing where it could
// not be read or no window asked for it.
using Listing = std::optional<NameList>;

// Carries out rename runs and their undo for every window of the program, so that a run does
// the same whichever window planned it, each on a thread of its own:
//
//     engine.run(RenameJob{folder, plan, keptBefore}, window); // or a function making the job
//
// run() journals the plan first; a journal that cannot be written stops the run before
// anything is renamed, with a message. It then renames file after file on the job it was given
// (a snapshot: the lists and options may change meanwhile). Meanwhile RunProgress holds the
// user's input and, once the run lasts, shows its progress over window with 取消, which stops
// after the file in hand; the files not reached are reported as 已取消. When any file kept its
// name although a new one was composed, the results window beside window lists each with its
// reason under "已重命名 N 个文件，M 个未更改" (sized on the run's thread, each line made as it
// is shown). When every file was renamed, nothing is shown. Then, on another job and the input
// still held, the folder the windows show is read again, and runEnded() hands the run and the
// listing to them.
//
// undo() gives the files of a journaled run their old names back, the same way: progress,
// what could not be restored listed in the same results window, then undoEnded().
//
// One job at a time: while one goes, run() and undo() start nothing and return false.
class RenameEngine : public QObject {
    Q_OBJECT
public:
    // Makes the run's job on its thread: reads the folder, composes the names.
    using JobMaker = std::function<RenameJob()>;
    // Reads the shown folder again on the job's thread, after the renames.
    using FolderRead = std::function<Listing()>;

    // The journal is taken from the environment once, here.
    RenameEngine(Platform& platform, QObject* parent);

    bool run(RenameJob job, QWidget& window);
    bool run(JobMaker makeJob, QWidget& window);
    bool undo(qint64 runId, QWidget& window);
    bool isBusy() const { return m_job.isRunning(); }

    // Called as each job starts, on this thread: how the job reads the shown folder again, so
    // that the windows take the new names without reading the folder on their thread.
    void setFolderReread(std::function<FolderRead()> shownFolder)
    {
        m_shownFolder = std::move(shownFolder);
    }

    const RenameJournal& journal() const { return m_journal; }
    // The running job's phase (RunPhase) and files done of all; nothing while none runs.
    const JobControl* control() const { return m_job.control(); }
    // How long a job lasts before it shows its progress.
    void setProgressDelay(std::chrono::milliseconds delay) { m_progressDelay = delay; }
    // The window of the last outcome, while it is open.
    ResultsWindow* resultsWindow() const { return m_results; }

Q_SIGNALS:
    // A run or an undo has started; jobEnded() follows it.
    void jobStarted();
    // A run has started, after jobStarted(): the options it was planned with have been used.
    void runStarted();
    // A run has ended, also one cut short by 取消, and its outcome is shown; listing is the
    // shown folder as the run left it. Not raised for a run that could not be journaled.
    void runEnded(const RenameJob& job, const RunRecord& record, const Listing& listing);
    // An undo has given the names back; not raised when it could not start.
    void undoEnded(const UndoReport& report, const Listing& listing);
    // A job has ended, whatever became of it, and everything it shows is shown: another may
    // start.
    void jobEnded();

private:
    struct RunEnd;
    struct UndoEnd;

    void watch(QWidget& window, const QString& action, bool cancellable);
    void endRun(RunEnd end);
    void endUndo(UndoEnd end);
    // Reads the shown folder again on a job of its own and hands the listing to then.
    void follow(std::function<void(const Listing&)> then);
    void showOutcome(const QString& title, std::unique_ptr<const ReportLines> lines);

    Platform& m_platform;
    const QByteArray m_journalFolder;
    RenameJournal m_journal;
    std::chrono::milliseconds m_progressDelay{500};
    std::function<FolderRead()> m_shownFolder;
    // How the job under way reads the shown folder again, as it was shown when the job began.
    FolderRead m_reread;
    QPointer<QWidget> m_window;
    std::unique_ptr<RunProgress> m_progress;
    // The user's input, held while the folder is read again after the outcome is shown.
    std::unique_ptr<InputHold> m_hold;
    QPointer<ResultsWindow> m_results;
    // Last, so that it is destroyed first: its job is stopped and waited for before the rest
    // goes.
    BackgroundJob m_job;
};

} // namespace vornak
