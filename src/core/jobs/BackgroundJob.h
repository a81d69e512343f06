#pragma once

#include "core/jobs/JobControl.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace vornak {

// The program's one way to run long work away from the thread that owns this object (the
// window's): the work runs on a thread of its own with a JobControl, and what it returns is
// handed to the owning thread, where `apply` takes it.
//
//     m_job.start([folder](JobControl& control) { return readAll(folder, control); },
//                 [this](Listing listing) { show(std::move(listing)); });
//
// A start while a job runs supersedes it: the older job is asked to stop and its result is
// dropped. stop() asks the running job to stop and still applies what it returns (取消 keeps
// what was done). Destroying the object stops every job and waits for it; nothing is applied
// then. The owning thread never waits for a job except there.
class BackgroundJob : public QObject {
    Q_OBJECT
public:
    explicit BackgroundJob(QObject* parent = nullptr);
    ~BackgroundJob() override;

    template <typename Work, typename Apply> void start(Work work, Apply apply)
    {
        using Result = std::invoke_result_t<Work&, JobControl&>;
        auto control = std::make_shared<JobControl>();
        auto result = std::make_shared<std::optional<Result>>();
        launch(
            control,
            [work = std::move(work), control, result]() mutable {
                result->emplace(work(*control));
            },
            [apply = std::move(apply), result]() mutable { apply(std::move(**result)); });
    }

    bool isRunning() const { return m_current != nullptr; }
    // The running job's control (progress, phase); nothing while none runs.
    const JobControl* control() const { return m_current.get(); }
    // Asks the running job to stop; its result is still applied.
    void stop();

Q_SIGNALS:
    // The current job's result has been applied (or the job failed and nothing was).
    void finished();

private:
    struct Running {
        std::thread thread;
        std::shared_ptr<JobControl> control;
    };

    void launch(std::shared_ptr<JobControl> control, std::function<void()> work,
                std::function<void()> apply);
    void deliver(JobControl* control, const std::function<void()>& apply, bool worked);

    std::shared_ptr<JobControl> m_current;
    // Every thread not yet joined: the current job's and those it superseded.
    std::vector<Running> m_running;
};

} // namespace vornak
