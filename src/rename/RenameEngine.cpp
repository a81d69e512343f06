#include "RenameEngine.h"

#include "OutcomeLines.h"

#include "core/names/NativePath.h"
#include "core/run/KeptFile.h"
#include "platform/Messages.h"
#include "texts/KeptFileLines.h"
#include "texts/RunTexts.h"
#include "texts/TextLines.h"

#include <QApplication>

namespace vornak {

namespace {

// A run's outcome: its first line, then one line per file that kept its name, made when asked
// for; ranked by width from the names, without making every line.
std::unique_ptr<const ReportLines> keptOutcome(const QString& first, std::vector<KeptFile> kept,
                                               const QFont& font)
{
    auto files = std::make_shared<const std::vector<KeptFile>>(std::move(kept));
    // What a line adds to the two names (quotes, arrow, reason), by reason; -1 until measured.
    std::vector<int> around(std::size_t(KeptReason::Failed) + 1, -1);
    return std::make_unique<OutcomeLines>(
        quint64(files->size()) + 1,
        [first, files](quint64 k) { return k == 0 ? first : keptFileLine((*files)[k - 1]); },
        [&](quint64 k, CharAdvances& advances) {
            if (k == 0)
                return advances.width(first);
            const KeptFile& file = (*files)[k - 1];
            int& decoration = around[std::size_t(file.reason)];
            if (decoration < 0)
                decoration = advances.width(keptFileLine({{}, {}, file.reason}));
            return decoration + advances.width(QByteArrayView(file.oldName)) +
                   advances.width(QByteArrayView(file.newName));
        },
        font);
}

} // namespace

struct RenameEngine::RunEnd {
    RenameJob job;
    RunRecord record;
    std::unique_ptr<const ReportLines> outcome;
};

struct RenameEngine::UndoEnd {
    UndoReport report;
    std::unique_ptr<const ReportLines> outcome;
};

RenameEngine::RenameEngine(Platform& platform, QObject* parent)
    : QObject(parent), m_platform(platform), m_journalFolder(RenameJournal::defaultFolder()),
      m_journal(m_journalFolder)
{
    // A job that failed applies nothing; its progress goes all the same.
    connect(&m_job, &BackgroundJob::finished, this, [this] {
        if (isBusy())
            return;
        m_progress.reset();
        m_hold.reset();
        Q_EMIT jobEnded();
    });
}

bool RenameEngine::run(RenameJob job, QWidget& window)
{
    return run([job = std::move(job)] { return job; }, window);
}

bool RenameEngine::run(JobMaker makeJob, QWidget& window)
{
    if (isBusy())
        return false;
    m_job.start(
        [journal = m_journal, makeJob = std::move(makeJob),
         font = QApplication::font()](JobControl& control) {
            RunEnd end{makeJob(), {}, {}};
            end.record = runJob(journal, end.job, &control);
            control.setPhase(int(RunPhase::Finishing));
            if (end.record.journalError == JournalError::None && !end.record.kept.empty())
                end.outcome = keptOutcome(
                    runText::runSummary(end.record.renamedCount, end.record.kept.size()),
                    end.record.kept, font);
            return end;
        },
        [this](RunEnd end) { endRun(std::move(end)); });
    watch(window, tr("正在重命名"), true);
    return true;
}

bool RenameEngine::undo(qint64 runId, QWidget& window)
{
    if (isBusy())
        return false;
    m_job.start(
        [journal = m_journal, runId, font = QApplication::font()](JobControl& control) {
            UndoEnd end;
            end.report = journal.undo(runId, [&control](std::size_t done, std::size_t total) {
                control.setProgress(qint64(done), qint64(total));
                control.setPhase(int(RunPhase::Renaming));
            });
            control.setPhase(int(RunPhase::Finishing));
            std::size_t restored = 0;
            QStringList lines{QString()};
            for (const UndoStep& step : end.report.steps) {
                if (step.outcome == UndoOutcome::Restored)
                    ++restored;
                else if (step.outcome != UndoOutcome::NotRenamed)
                    lines.append(undoFailureLine(step));
            }
            if (lines.size() > 1) {
                lines.first() = runText::undoSummary(restored, std::size_t(lines.size() - 1));
                end.outcome = std::make_unique<OutcomeLines>(std::move(lines), font);
            }
            return end;
        },
        [this](UndoEnd end) { endUndo(std::move(end)); });
    watch(window, tr("正在撤销"), false);
    return true;
}

void RenameEngine::watch(QWidget& window, const QString& action, bool cancellable)
{
    m_window = &window;
    m_reread = m_shownFolder ? m_shownFolder() : nullptr;
    m_progress = std::make_unique<RunProgress>(window, *m_job.control(), action, cancellable,
                                               m_progressDelay);
    connect(m_progress.get(), &RunProgress::cancelled, &m_job, &BackgroundJob::stop);
    Q_EMIT jobStarted();
}

void RenameEngine::endRun(RunEnd end)
{
    m_progress.reset();
    switch (end.record.journalError) {
    case JournalError::None:
        break;
    case JournalError::JournalUnwritable:
        showFailure(m_platform, runText::kJournalUnwritable, m_journalFolder,
                    end.record.journalErrorNumber);
        return;
    case JournalError::FolderUnavailable:
        showFailure(m_platform, runText::kRunFolderUnavailable, end.job.folder,
                    end.record.journalErrorNumber);
        return;
    }
    if (end.outcome)
        showOutcome(tr("重命名结果"), std::move(end.outcome));
    follow([this, job = std::move(end.job), record = std::move(end.record)](
               const Listing& listing) { Q_EMIT runEnded(job, record, listing); });
}

void RenameEngine::endUndo(UndoEnd end)
{
    m_progress.reset();
    const UndoReport& report = end.report;
    switch (report.status) {
    case UndoStatus::Undone:
        break;
    case UndoStatus::NoSuchRun:
        m_platform.messageBox(runText::kNoSuchRun, MessageButtons::Ok, kProgramTitle);
        return;
    case UndoStatus::InProgress:
        m_platform.messageBox(runText::kRunInProgress, MessageButtons::Ok, kProgramTitle);
        return;
    case UndoStatus::FolderUnavailable:
        showFailure(m_platform, runText::kUndoFolderUnavailable, report.folder, report.error);
        return;
    case UndoStatus::JournalUnreadable:
        m_platform.messageBox(runText::kJournalUnreadable, MessageButtons::Ok, kErrorTitle);
        return;
    }
    if (end.outcome)
        showOutcome(tr("撤销结果"), std::move(end.outcome));
    follow([this, report = std::move(end.report)](const Listing& listing) {
        Q_EMIT undoEnded(report, listing);
    });
}

void RenameEngine::follow(std::function<void(const Listing&)> then)
{
    // The outcome shows at once; the folder, a million entries perhaps, is read meanwhile.
    m_hold = std::make_unique<InputHold>();
    m_job.start(
        [reread = std::move(m_reread)](JobControl& control) {
            control.setPhase(int(RunPhase::Finishing));
            return reread ? reread() : Listing();
        },
        [then = std::move(then)](const Listing& listing) { then(listing); });
}

void RenameEngine::showOutcome(const QString& title, std::unique_ptr<const ReportLines> lines)
{
    if (!m_results)
        m_results = new ResultsWindow(m_platform, title, m_window);
    m_results->setWindowTitle(title);
    m_results->showReport(std::move(lines));
}

} // namespace vornak
