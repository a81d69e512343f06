#pragma once

#include "CopiesToTrashWindow.h"
#include "core/jobs/BackgroundJob.h"
#include "platform/Platform.h"
#include "texts/TextLines.h"
#include "widgets/FileList.h"
#include "widgets/ResultsWindow.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>
#include <stop_token>

namespace vornak {

// Steps of the progress dialog: QProgressDialog counts in int, files in 64-bit bytes.
inline constexpr int kProgressSteps = 10000;

// done of total bytes as steps of the progress dialog; 0 while nothing is to be read.
int progressSteps(qint64 done, qint64 total);

// "内容检查": compares the contents of the listed files as a background job while a progress
// dialog shows how far it got and offers to cancel; the report goes to a results window of its
// own, or a message says that no two files are the same, or that the check could not finish.
// The report's 移到回收站… (enabled when it found copies) opens a CopiesToTrashWindow on what it
// found, unless the folder's volume has no usable trash. Destroying it stops and waits for the
// check.
class ContentCheck : public QObject {
    Q_OBJECT
public:
    // Called on the checking thread after each read of a running check, with its stop token.
    using StepHook = std::function<void(std::stop_token)>;

    ContentCheck(FileList& fileList, Platform& platform, QObject* parent = nullptr);
    ~ContentCheck() override;

    bool isRunning() const { return m_job.isRunning(); }
    // The open results window, if any.
    ResultsWindow* resultsWindow() const { return m_results; }
    // The open window of 移到回收站…, if any.
    CopiesToTrashWindow* copiesToTrashWindow() const { return m_copiesToTrash; }
    // Lets a caller watch or pace the steps of the next checks.
    void setStepHook(StepHook hook) { m_stepHook = std::move(hook); }

public Q_SLOTS:
    // Refreshes the file list and checks its entries; while a check runs, shows its dialog.
    void checkContents();

Q_SIGNALS:
    // A check has ended, finished, cancelled or failed, and its outcome is shown.
    void finished();

private:
    // What a check that ran to its end came to: the report's lines (nothing when it was
    // cancelled), or that memory ran out.
    struct Outcome {
        std::optional<QStringList> report;
        CheckedFolder checked;
        bool outOfMemory = false;
    };

    static Outcome run(JobControl& control, const QByteArray& folder, const NameList& entries,
                       const StepHook& hook);
    void onJobFinished();
    void showProgress();
    void showReport(QStringList report);
    void offerCopiesToTrash();

    FileList& m_fileList;
    Platform& m_platform;
    QPointer<QProgressDialog> m_dialog;
    QTimer m_progressTimer;
    QPointer<ResultsWindow> m_results;
    QPointer<CopiesToTrashWindow> m_copiesToTrash;
    // What the check whose report is shown found.
    CheckedFolder m_checked;
    StepHook m_stepHook;
    // Set when the job delivers; nothing after a job that failed.
    std::optional<Outcome> m_outcome;
    // Last, so that its check is stopped and waited for before anything else goes.
    BackgroundJob m_job;
};

} // namespace vornak
