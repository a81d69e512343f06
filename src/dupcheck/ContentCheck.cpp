#include "ContentCheck.h"

#include "core/check/ContentGroups.h"
#include "core/names/NativePath.h"
#include "core/trash/Trash.h"
#include "texts/ContentReport.h"
#include "texts/CopiesMoveText.h"

#include "platform/Messages.h"

#include <algorithm>
#include <new>
#include <utility>

namespace vornak {

namespace {

constexpr int kProgressIntervalMs = 100;
// A check that ends sooner shows no dialog at all.
constexpr int kDialogDelayMs = 300;

} // namespace

int progressSteps(qint64 done, qint64 total)
{
    if (total <= 0)
        return 0;
    const double share = std::clamp(double(done) / double(total), 0.0, 1.0);
    return int(share * kProgressSteps);
}

ContentCheck::ContentCheck(FileList& fileList, Platform& platform, QObject* parent)
    : QObject(parent), m_fileList(fileList), m_platform(platform)
{
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &ContentCheck::showProgress);
    connect(&m_job, &BackgroundJob::finished, this, &ContentCheck::onJobFinished);
}

ContentCheck::~ContentCheck()
{
    delete m_dialog.data();
}

void ContentCheck::checkContents()
{
    if (m_job.isRunning()) {
        if (m_dialog) {
            m_dialog->show();
            m_dialog->raise();
        }
        return;
    }
    m_fileList.refresh();
    m_outcome.reset();

    m_dialog = new QProgressDialog(tr("正在比较文件内容……"), tr("取消"), 0, kProgressSteps,
                                   m_fileList.window());
    m_dialog->setObjectName(QStringLiteral("contentProgress"));
    m_dialog->setWindowTitle(tr("内容检查"));
    m_dialog->setWindowModality(Qt::NonModal);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumDuration(kDialogDelayMs);
    // The first value starts the dialog's clock: it shows once the check has taken that long.
    m_dialog->setValue(0);
    connect(m_dialog, &QProgressDialog::canceled, &m_job, &BackgroundJob::stop);
    m_progressTimer.start();

    m_job.start([folder = m_fileList.path(), entries = m_fileList.names(), hook = m_stepHook](
                    JobControl& control) { return run(control, folder, entries, hook); },
                [this](Outcome outcome) { m_outcome = std::move(outcome); });
}

ContentCheck::Outcome ContentCheck::run(JobControl& control, const QByteArray& folder,
                                        const NameList& entries, const StepHook& hook)
{
    ContentOptions options;
    options.stop = control.stopToken();
    options.progress = [&](qint64 done, qint64 total) {
        control.setProgress(done, total);
        if (hook)
            hook(control.stopToken());
    };
    Outcome outcome;
    // Memory running out has a message of its own; any other failure ends the job, and the
    // check is reported as not finished.
    try {
        ContentFindings findings = findIdenticalContents(folder, entries, options);
        if (!findings.cancelled && !control.stopRequested()) {
            outcome.report = contentReport(entries, findings);
            outcome.checked = {folder, entries, std::move(findings)};
        }
    } catch (const std::bad_alloc&) {
        outcome.outOfMemory = true;
    }
    return outcome;
}

void ContentCheck::onJobFinished()
{
    m_progressTimer.stop();
    delete m_dialog.data();
    std::optional<Outcome> outcome = std::exchange(m_outcome, std::nullopt);
    if (!outcome)
        m_platform.messageBox(tr("内容检查未能完成!"), MessageButtons::Ok, kContentResultsTitle);
    else if (outcome->outOfMemory)
        m_platform.messageBox(tr("内存不足，内容检查未能完成!"), MessageButtons::Ok,
                              kContentResultsTitle);
    else if (outcome->report && outcome->report->isEmpty())
        m_platform.messageBox(kNoIdenticalFiles, MessageButtons::Ok, kContentResultsTitle);
    else if (outcome->report) {
        m_checked = std::move(outcome->checked);
        showReport(std::move(*outcome->report));
    }
    Q_EMIT finished();
}

void ContentCheck::showProgress()
{
    if (const JobControl* control = m_job.control(); control && m_dialog)
        m_dialog->setValue(progressSteps(control->done(), control->total()));
}

void ContentCheck::showReport(QStringList report)
{
    if (!m_results)
        m_results = new ResultsWindow(m_platform, kContentResultsTitle, m_fileList.window(),
                                      QStringLiteral("contentCheck/place"));
    // The content report is the program's own: its copy breaks lines with line feeds, so that it
    // pastes as lines into an editor or a terminal.
    m_results->showReport(std::make_unique<TextLines>(std::move(report), u'\n'));
    QPushButton& toTrash =
        m_results->addActionButton(tr("移到回收站…"), QStringLiteral("copiesToTrashButton"));
    toTrash.setEnabled(std::any_of(m_checked.findings.groups.begin(),
                                   m_checked.findings.groups.end(),
                                   [](const ContentGroup& group) { return !group.oneFile(); }));
    connect(&toTrash, &QPushButton::clicked, this, &ContentCheck::offerCopiesToTrash);
}

void ContentCheck::offerCopiesToTrash()
{
    if (m_copiesToTrash) {
        m_copiesToTrash->raise();
        return;
    }
    // The names move within the folder's volume: any of them tells whether it has a trash.
    if (!Trash().hasTrashFor(withTrailingSeparator(m_checked.folder) +
                             m_checked.entries.nameAt(0))) {
        m_platform.messageBox(kNoTrashOnVolume, MessageButtons::Ok, kContentResultsTitle);
        return;
    }
    m_copiesToTrash = new CopiesToTrashWindow(m_checked, m_fileList, m_platform, m_results);
    // What the report shows is no longer what the folder holds.
    connect(m_copiesToTrash, &CopiesToTrashWindow::moved, m_results, &QWidget::close);
    m_copiesToTrash->show();
}

} // namespace vornak
