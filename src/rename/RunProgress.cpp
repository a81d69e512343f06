#include "RunProgress.h"

#include "core/run/RenameJob.h"
#include "platform/Messages.h"

#include <algorithm>
#include <climits>

namespace vornak {

namespace {

// QProgressDialog counts in int.
int steps(qint64 files)
{
    return int(std::clamp<qint64>(files, 0, INT_MAX));
}

} // namespace

RunProgress::RunProgress(QWidget& window, const JobControl& control, QString action,
                         bool cancellable, std::chrono::milliseconds after)
    : m_window(&window), m_control(control), m_action(std::move(action)), m_cancellable(cancellable)
{
    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &RunProgress::showDialog);
    m_showTimer.start(after);
    m_drawTimer.setInterval(kDrawEvery);
    connect(&m_drawTimer, &QTimer::timeout, this, &RunProgress::draw);
}

RunProgress::~RunProgress()
{
    delete m_dialog.data();
}

void RunProgress::showDialog()
{
    if (!m_window)
        return;
    m_dialog = new QProgressDialog(m_window);
    m_dialog->setObjectName(QStringLiteral("runProgress"));
    m_dialog->setWindowTitle(kProgramTitle);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumDuration(0);
    if (m_cancellable) {
        m_dialog->setCancelButtonText(tr("取消"));
        connect(m_dialog, &QProgressDialog::canceled, this, &RunProgress::cancelled);
    } else {
        m_dialog->setCancelButton(nullptr);
    }
    m_hold.letThrough(m_dialog);
    draw();
    m_dialog->show();
    m_drawTimer.start();
}

void RunProgress::draw()
{
    // The dialog goes with its window, should that close first.
    if (!m_dialog)
        return;
    const qint64 total = m_control.total();
    const qint64 done = m_control.done();
    switch (RunPhase(m_control.phase())) {
    case RunPhase::Preparing:
        m_dialog->setLabelText(tr("正在准备…"));
        // Without a count, the bar shows that something is going on.
        m_dialog->setRange(0, 0);
        return;
    case RunPhase::Renaming:
        m_dialog->setLabelText(tr("%1：%2 / %3 个文件").arg(m_action).arg(done).arg(total));
        break;
    case RunPhase::Finishing:
        m_dialog->setLabelText(tr("正在整理结果…"));
        break;
    }
    m_dialog->setRange(0, steps(total));
    m_dialog->setValue(steps(done));
}

} // namespace vornak
