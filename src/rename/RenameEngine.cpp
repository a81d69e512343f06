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

// An outcome: its first line, then one line per file, made when asked for; ranked by width
// from the names and, by the file's kind, what the line adds to them, without making every
// line. Lines are shown within room pixels.
template <typename File, typename Names, typename Line, typename Kind>
std::unique_ptr<const ReportLines> fileOutcome(const QString& first, std::vector<File> kept,
                                               Names names, Line fileLine, Kind kindOf,
                                               const QFont& font, int room)
{
    auto files = std::make_shared<const std::vector<File>>(std::move(kept));
    // What a line adds to the two names (quotes, arrow, reason), by kind; -1 until measured.
    std::vector<int> around;
    return std::make_unique<OutcomeLines>(
        quint64(files->size()) + 1,
        [first, files, names, fileLine](quint64 k, const OutcomeNameFit& fit) {
            if (k == 0)
                return first;
            const File& file = (*files)[k - 1];
            const auto [from, to] = names(file);
            return fit.line(from, to,
                            [&file, &fileLine](const QString& shownFrom, const QString& shownTo) {
                                return fileLine(file, shownFrom, shownTo);
                            });
        },
        [&](quint64 k, CharAdvances& advances) {
            if (k == 0)
                return advances.width(first);
            const File& file = (*files)[k - 1];
            const auto kind = std::size_t(kindOf(file));
            if (kind >= around.size())
                around.resize(kind + 1, -1);
            if (around[kind] < 0)
                around[kind] = advances.width(fileLine(file, QString(), QString()));
            const auto [from, to] = names(file);
            return around[kind] + advances.width(QByteArrayView(from)) +
                   advances.width(QByteArrayView(to));
        },
        font, room);
}

std::unique_ptr<const ReportLines> keptOutcome(const QString& first, std::vector<KeptFile> kept,
                                               const QFont& font, int room)
{
    return fileOutcome(
        first, std::move(kept),
        [](const KeptFile& file) { return std::pair(file.oldName, file.newName); },
        [](const KeptFile& file, const QString& from, const QString& to) {
            return keptFileLine(file, from, to);
        },
        [](const KeptFile& file) { return file.reason; }, font, room);
}

// The names go back: a line tells the file's name now, then the one it was to get back.
std::unique_ptr<const ReportLines> undoOutcome(const QString& first, std::vector<UndoStep> failed,
                                               const QFont& font, int room)
{
    return fileOutcome(
        first, std::move(failed),
        [](const UndoStep& step) { return std::pair(step.newName, step.oldName); },
        [](const UndoStep& step, const QString& from, const QString& to) {
            return undoFailureLine(step, from, to);
        },
        [](const UndoStep& step) { return step.outcome; }, font, room);
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
        [journal = m_journal, makeJob = std::move(makeJob), font = QApplication::font(),
         room = ResultsWindow::widestFittingLine(window)](JobControl& control) {
            RunEnd end{makeJob(), {}, {}};
            end.record = runJob(journal, end.job, &control);
            control.setPhase(int(RunPhase::Finishing));
            if (end.record.journalError == JournalError::None && !end.record.kept.empty())
                end.outcome = keptOutcome(
                    runText::runSummary(end.record.renamedCount, end.record.kept.size()),
                    end.record.kept, font, room);
            return end;
        },
        [this](RunEnd end) { endRun(std::move(end)); });
    watch(window, tr("正在重命名"), true);
    Q_EMIT runStarted();
    return true;
}

bool RenameEngine::undo(qint64 runId, QWidget& window)
{
    if (isBusy())
        return false;
    m_job.start(
        [journal = m_journal, runId, font = QApplication::font(),
         room = ResultsWindow::widestFittingLine(window)](JobControl& control) {
            UndoEnd end;
            end.report = journal.undo(runId, [&control](std::size_t done, std::size_t total) {
                control.setProgress(qint64(done), qint64(total));
                control.setPhase(int(RunPhase::Renaming));
            });
            control.setPhase(int(RunPhase::Finishing));
            const UndoTally tally = tallyOf(end.report);
            std::vector<UndoStep> told;
            for (const UndoStep& step : end.report.steps) {
                if (isTold(step))
                    told.push_back(step);
            }
            if (!told.empty())
                end.outcome = undoOutcome(runText::undoSummary(tally.restored, tally.notRestored),
                                          std::move(told), font, room);
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
        m_results = new ResultsWindow(m_platform, title, m_window, QStringLiteral("outcome/place"),
                                      ResultsWindow::Sizing::ToLines);
    m_results->setWindowTitle(title);
    m_results->showReport(std::move(lines));
}

} // namespace vornak
