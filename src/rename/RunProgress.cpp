#include "RunProgress.h"

#include "platform/Messages.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>

namespace vornak {

namespace {

// QProgressDialog counts in int.
int steps(std::size_t files)
{
    return int(std::min<std::size_t>(files, INT_MAX));
}

} // namespace

RunProgress::RunProgress(QWidget& window, QString action, bool cancellable,
                         std::chrono::milliseconds after)
    : m_window(window), m_action(std::move(action)), m_cancellable(cancellable),
      m_nextDraw(after.count())
{
    m_clock.start();
}

RunProgress::~RunProgress()
{
    delete m_dialog.data();
}

bool RunProgress::advance(std::size_t done, std::size_t total)
{
    if (m_clock.elapsed() >= m_nextDraw) {
        draw(done, total);
        m_nextDraw = m_clock.elapsed() + kDrawEvery.count();
    }
    return !(m_dialog && m_dialog->wasCanceled());
}

void RunProgress::draw(std::size_t done, std::size_t total)
{
    if (!m_dialog) {
        if (done >= total)
            return;
        m_dialog = new QProgressDialog(&m_window);
        m_dialog->setObjectName(QStringLiteral("runProgress"));
        m_dialog->setWindowTitle(kProgramTitle);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        m_dialog->setMinimumDuration(0);
        if (m_cancellable)
            m_dialog->setCancelButtonText(QStringLiteral("取消"));
        else
            m_dialog->setCancelButton(nullptr);
        m_dialog->setRange(0, steps(total));
        m_dialog->show();
    }
    m_dialog->setLabelText(QStringLiteral("%1：%2 / %3 个文件").arg(m_action).arg(done).arg(total));
    m_dialog->setValue(steps(done));
    QCoreApplication::processEvents();
}

} // namespace vornak
