#pragma once

#include "core/run/RenameJob.h"
#include "core/run/RenameJournal.h"
#include "platform/Platform.h"
#include "widgets/FileList.h"
#include "widgets/ResultsWindow.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <chrono>

namespace vornak {

// Carries out rename runs and their undo for every window of the program, so that a run does
// the same whichever window planned it:
//
//     RenameJob job{folder, plan, keptBefore}; // the plan in order, files it leaves with reasons
//     const RunRecord record = engine.run(std::move(job), window);
//
// run() journals the plan first; a journal that cannot be written stops the run before
// anything is renamed, with a message. It then renames file after file on the job it was given
// (a snapshot: the lists and options may change meanwhile). A run that lasts shows its progress
// over window with 取消, which stops after the file in hand; the files not reached are reported
// as 已取消. Afterwards File1 is read again with its selection on the same file under its new
// name, filesChanged() lets other windows read the folder again, and when any file kept its
// name although a new one was composed, the results window beside window lists each with its
// reason under "已重命名 N 个文件，M 个未更改". When every file was renamed, nothing is shown.
//
// undo() gives the files of a journaled run their old names back, the same way: progress,
// File1 read again, and what could not be restored listed in the same results window.
class RenameEngine : public QObject {
    Q_OBJECT
public:
    // The journal is taken from the environment once, here.
    RenameEngine(FileList& fileList, Platform& platform, QObject* parent);

    RunRecord run(RenameJob job, QWidget& window);
    void undo(qint64 runId, QWidget& window);

    const RenameJournal& journal() const { return m_journal; }
    // How long a run lasts before it shows its progress.
    void setProgressDelay(std::chrono::milliseconds delay) { m_progressDelay = delay; }
    // The window of the last outcome, while it is open.
    ResultsWindow* resultsWindow() const { return m_results; }

Q_SIGNALS:
    // Names in folder have changed: a run or an undo has ended.
    void filesChanged(const QByteArray& folder);

private:
    // Reads File1 again; when it shows folder, the file selected before is selected under the
    // name it has now.
    void showNames(const QByteArray& folder, const QByteArray& selectedNow);
    void showOutcome(const QString& title, QStringList lines, QWidget& window);
    void showError(const QString& what, const QByteArray& where, int error);

    FileList& m_fileList;
    Platform& m_platform;
    const QByteArray m_journalFolder;
    RenameJournal m_journal;
    std::chrono::milliseconds m_progressDelay{500};
    QPointer<ResultsWindow> m_results;
};

} // namespace vornak
