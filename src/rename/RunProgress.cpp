#include "RunProgress.h"

#include "core/run/RenameJob.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QEvent>

#include <algorithm>
#include <climits>

namespace vornak {

namespace {

// QProgressDialog counts in int.
int steps(qint64 files)
{
    return int(std::clamp<qint64>(files, 0, INT_MAX));
}

// What the user does with keys, mouse and touch, and the shortcuts these would trigger.
bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

RunProgress::RunProgress(QWidget& window, const JobControl& control, QString action,
                         bool cancellable, std::chrono::milliseconds after)
    : m_window(&window), m_control(control), m_action(std::move(action)), m_cancellable(cancellable)
{
    qApp->installEventFilter(this);
    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &RunProgress::showDialog);
    m_showTimer.start(after);
    m_drawTimer.setInterval(kDrawEvery);
    connect(&m_drawTimer, &QTimer::timeout, this, &RunProgress::draw);
}

RunProgress::~RunProgress()
{
    qApp->removeEventFilter(this);
    delete m_dialog.data();
}

bool RunProgress::eventFilter(QObject* watched, QEvent* event)
{
    if (!isUserInput(event->type()) || !watched->isWidgetType())
        return false;
    const QWidget* target = static_cast<QWidget*>(watched)->window();
    if (m_dialog && target == m_dialog)
        return false;
    // Accepted, a shortcut's key counts as taken, so no shortcut fires.
    event->accept();
    return true;
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
    draw();
    m_dialog->show();
    m_drawTimer.start();
}

void RunProgress::draw()
{
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
