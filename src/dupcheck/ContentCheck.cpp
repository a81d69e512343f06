#include "ContentCheck.h"

#include "core/check/ContentGroups.h"
#include "texts/ContentReport.h"

#include "platform/Messages.h"

#include <algorithm>
#include <new>
#include <utility>

namespace vornak {

namespace {

constexpr int kProgressIntervalMs = 100;
// A check that ends sooner shows no dialog at all.
constexpr int kDialogDelayMs = 300;
const QString kOutOfMemory = QStringLiteral("内存不足，内容检查未能完成!");

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
}

ContentCheck::~ContentCheck()
{
    m_worker.request_stop();
    if (m_worker.joinable())
        m_worker.join();
    delete m_dialog.data();
}

void ContentCheck::checkContents()
{
    if (m_running) {
        if (m_dialog) {
            m_dialog->show();
            m_dialog->raise();
        }
        return;
    }
    m_fileList.refresh();
    m_running = true;
    m_done = 0;
    m_total = 0;
    m_report.reset();

    m_dialog = new QProgressDialog(QStringLiteral("正在比较文件内容……"), QStringLiteral("取消"), 0,
                                   kProgressSteps, m_fileList.window());
    m_dialog->setObjectName(QStringLiteral("contentProgress"));
    m_dialog->setWindowTitle(QStringLiteral("内容检查"));
    m_dialog->setWindowModality(Qt::NonModal);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumDuration(kDialogDelayMs);
    // The first value starts the dialog's clock: it shows once the check has taken that long.
    m_dialog->setValue(0);
    connect(m_dialog, &QProgressDialog::canceled, this, [this] { m_worker.request_stop(); });
    m_progressTimer.start();

    m_worker = std::jthread(
        [this, folder = m_fileList.path(), entries = m_fileList.names(),
         hook = m_stepHook](std::stop_token stop) { run(stop, folder, entries, hook); });
}

void ContentCheck::run(const std::stop_token& stop, const QByteArray& folder,
                       const NameList& entries, const StepHook& hook)
{
    ContentOptions options;
    options.stop = stop;
    options.progress = [&](qint64 done, qint64 total) {
        m_done.store(done, std::memory_order_relaxed);
        m_total.store(total, std::memory_order_relaxed);
        if (hook)
            hook(stop);
    };
    // An exception must not leave the thread: it would end the program.
    try {
        const ContentFindings findings = findIdenticalContents(folder, entries, options);
        if (!findings.cancelled && !stop.stop_requested())
            m_report = contentReport(entries, findings);
    } catch (const std::bad_alloc&) {
        m_outOfMemory = true;
    }
    QMetaObject::invokeMethod(this, &ContentCheck::onWorkerDone, Qt::QueuedConnection);
}

void ContentCheck::onWorkerDone()
{
    m_worker.join();
    m_running = false;
    m_progressTimer.stop();
    delete m_dialog.data();
    if (std::exchange(m_outOfMemory, false))
        m_platform.messageBox(kOutOfMemory, MessageButtons::Ok, kContentResultsTitle);
    if (m_report) {
        if (m_report->isEmpty())
            m_platform.messageBox(kNoIdenticalFiles, MessageButtons::Ok, kContentResultsTitle);
        else
            showReport(std::move(*m_report));
    }
    m_report.reset();
    Q_EMIT finished();
}

void ContentCheck::showProgress()
{
    if (m_dialog)
        m_dialog->setValue(progressSteps(m_done.load(std::memory_order_relaxed),
                                         m_total.load(std::memory_order_relaxed)));
}

void ContentCheck::showReport(QStringList report)
{
    if (!m_results)
        m_results = new ResultsWindow(m_platform, kContentResultsTitle, m_fileList.window());
    m_results->showReport(std::make_unique<TextLines>(std::move(report)));
}

} // namespace vornak
