#include "core/jobs/BackgroundJob.h"

#include <QMetaObject>

#include <algorithm>

namespace vornak {

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {}

BackgroundJob::~BackgroundJob()
{
    for (Running& running : m_running)
        running.control->requestStop();
    for (Running& running : m_running)
        running.thread.join();
}

void BackgroundJob::stop()
{
    if (m_current)
        m_current->requestStop();
}

void BackgroundJob::launch(std::shared_ptr<JobControl> control, std::function<void()> work,
                           std::function<void()> apply)
{
    if (m_current)
        m_current->requestStop();
    m_current = control;
    JobControl* const key = control.get();
    std::thread thread([this, key, work = std::move(work), apply = std::move(apply)]() mutable {
        // No exception may leave the thread: a job that fails delivers nothing, and the window
        // learns that it ended.
        bool worked = true;
        try {
            work();
        } catch (...) {
            worked = false;
        }
        // The destructor joins this thread before the object goes, so the call is queued to a
        // living object; it runs on the owning thread.
        QMetaObject::invokeMethod(
            this, [this, key, apply = std::move(apply), worked] { deliver(key, apply, worked); },
            Qt::QueuedConnection);
    });
    m_running.push_back({std::move(thread), std::move(control)});
}

void BackgroundJob::deliver(JobControl* control, const std::function<void()>& apply, bool worked)
{
    const auto running =
        std::find_if(m_running.begin(), m_running.end(),
                     [control](const Running& r) { return r.control.get() == control; });
    if (running == m_running.end())
        return;
    running->thread.join();
    const bool current = m_current.get() == control;
    m_running.erase(running);
    if (!current)
        return;
    m_current.reset();
    if (worked)
        apply();
    Q_EMIT finished();
}

} // namespace vornak
