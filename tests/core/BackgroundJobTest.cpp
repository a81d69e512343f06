#include "core/jobs/BackgroundJob.h"
#include "core/jobs/RowShares.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace vornak;

namespace {

// Work that counts until it is asked to stop, and returns how far it got.
int countUntilStopped(JobControl& control)
{
    int steps = 0;
    while (!control.stopRequested()) {
        control.setProgress(++steps, 0);
        QThread::usleep(100);
    }
    return steps;
}

} // namespace

// The one way long work runs: off the owning thread, its result applied back on it, a newer
// job superseding an older one, 取消 keeping what was done.
class BackgroundJobTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void appliesTheResultOnTheOwningThread()
    {
        BackgroundJob job;
        QThread* workedOn = nullptr;
        QThread* appliedOn = nullptr;
        int applied = 0;
        job.start(
            [&workedOn](JobControl&) {
                workedOn = QThread::currentThread();
                return 42;
            },
            [&](int result) {
                appliedOn = QThread::currentThread();
                applied = result;
            });
        QVERIFY(job.isRunning());
        QSignalSpy finished(&job, &BackgroundJob::finished);
        QVERIFY(finished.wait());
        QCOMPARE(applied, 42);
        QCOMPARE(appliedOn, QThread::currentThread());
        QVERIFY(workedOn != QThread::currentThread());
        QVERIFY(!job.isRunning());
    }

    void aNewerJobSupersedesTheRunningOne()
    {
        BackgroundJob job;
        QList<int> applied;
        job.start(
            [](JobControl& control) {
                countUntilStopped(control);
                return 1;
            },
            [&applied](int result) { applied.append(result); });
        job.start([](JobControl&) { return 2; },
                  [&applied](int result) { applied.append(result); });
        QSignalSpy finished(&job, &BackgroundJob::finished);
        QVERIFY(finished.wait());
        // The older job may deliver later than the newer: give it the chance, then look.
        QTest::qWait(50);
        QCOMPARE(applied, QList<int>{2});
        QCOMPARE(finished.count(), 1);
    }

    void stopKeepsWhatWasDone()
    {
        BackgroundJob job;
        int applied = -1;
        job.start(countUntilStopped, [&applied](int steps) { applied = steps; });
        QTRY_VERIFY(job.control() && job.control()->done() > 0);
        job.stop();
        QSignalSpy finished(&job, &BackgroundJob::finished);
        QVERIFY(finished.wait());
        QVERIFY(applied > 0);
    }

    void aFailingJobAppliesNothingButEnds()
    {
        BackgroundJob job;
        bool applied = false;
        job.start([](JobControl&) -> int { throw std::runtime_error("disk gone"); },
                  [&applied](int) { applied = true; });
        QSignalSpy finished(&job, &BackgroundJob::finished);
        QVERIFY(finished.wait());
        QVERIFY(!applied);
    }

    void destroyingStopsAndWaitsForTheJob()
    {
        bool applied = false;
        std::atomic<bool> returned = false;
        {
            BackgroundJob job;
            job.start(
                [&returned](JobControl& control) {
                    countUntilStopped(control);
                    returned = true;
                    return 0;
                },
                [&applied](int) { applied = true; });
            QTRY_VERIFY(job.control()->done() > 0);
        }
        QVERIFY(returned);
        QCoreApplication::sendPostedEvents();
        QVERIFY(!applied);
    }

    // Rows shared out among the cores: each row once, each share on a thread of its own.
    void sharesEveryRowOnce()
    {
        for (const std::size_t rows : {0, 1, 8191, 16384, 40001, 1000003}) {
            std::vector<std::atomic<int>> visits(rows);
            std::vector<std::thread::id> threads(rowShareCount(rows));
            rowShares(rows, [&](std::size_t share, std::size_t first, std::size_t last) {
                threads[share] = std::this_thread::get_id();
                for (std::size_t row = first; row < last; ++row)
                    ++visits[row];
            });
            QVERIFY2(
                std::all_of(visits.begin(), visits.end(), [](const auto& n) { return n == 1; }),
                qPrintable(QString::number(rows)));
            QCOMPARE(std::set(threads.begin(), threads.end()).size(), threads.size());
        }
        QCOMPARE(rowShareCount(8191), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(BackgroundJobTest)
#include "BackgroundJobTest.moc"
