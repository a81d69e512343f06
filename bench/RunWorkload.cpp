#include "AnsweringPlatform.h"
#include "EventLoop.h"
#include "TickGaps.h"
#include "Workloads.h"

#include "app/MainWindow.h"

#include <QProgressDialog>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <stdexcept>

namespace vornak::bench {

namespace {

using Phase = TickGaps::Phase;

struct RunSeen {
    std::array<double, TickGaps::kPhases> longestGapMs{};
    double totalMs = 0;
    // From 取消 to the outcome shown, and to the run's end (the file list showing the folder
    // read again); nothing for a run not cancelled.
    double cancelToOutcomeMs = 0;
    double cancelToEndMs = 0;
};

// Presses 执行 (the question is answered 是); with cancelAt, presses 取消 once the progress
// shows that share of the files done.
RunSeen runOnce(MainWindow& window, double cancelAt)
{
    auto* runButton = window.findChild<QPushButton*>(QLatin1String(controlName::runButton));
    const auto* engine = window.findChild<RenameEngine*>();
    bool cancelled = false;
    qint64 cancelledAt = 0;
    qint64 outcomeAt = 0;
    TickGaps* gapsSeen = nullptr;
    TickGaps gaps([&] {
        if (const JobControl* control = engine->control())
            gapsSeen->mark(Phase(control->phase()));
        if (cancelled && outcomeAt == 0 && engine->resultsWindow() &&
            engine->resultsWindow()->isVisible())
            outcomeAt = gapsSeen->now();
        auto* dialog = window.findChild<QProgressDialog*>(QStringLiteral("runProgress"));
        if (cancelAt <= 0 || cancelled || !dialog || !dialog->isVisible() ||
            dialog->value() < cancelAt * dialog->maximum())
            return;
        cancelled = true;
        cancelledAt = gapsSeen->now();
        dialog->findChild<QPushButton*>()->click();
    });
    gapsSeen = &gaps;
    gaps.mark(Phase::Preparing);
    runButton->click();
    runUntil([&] { return !engine->isBusy(); });
    gaps.mark(Phase::Finishing);
    gaps.end();
    RunSeen seen;
    for (std::size_t phase = 0; phase < TickGaps::kPhases; ++phase)
        seen.longestGapMs[phase] = gaps.longestGapMs(Phase(phase));
    seen.totalMs = gaps.endMs();
    if (cancelled) {
        seen.cancelToOutcomeMs = double(outcomeAt - cancelledAt) / 1e6;
        seen.cancelToEndMs = double(gaps.now() - cancelledAt) / 1e6;
    }
    if (cancelAt > 0 && !cancelled)
        std::printf("  the run ended before its progress showed 取消: measure more files\n");
    return seen;
}

void print(const char* run, const RunSeen& seen)
{
    std::printf("  %s: longest gap preparing_ms=%.0f renaming_ms=%.0f finishing_ms=%.0f "
                "total_ms=%.0f",
                run, seen.longestGapMs[0], seen.longestGapMs[1], seen.longestGapMs[2],
                seen.totalMs);
    if (seen.cancelToEndMs > 0)
        std::printf(" cancel_to_outcome_ms=%.0f cancel_to_end_ms=%.0f", seen.cancelToOutcomeMs,
                    seen.cancelToEndMs);
    std::printf("\n");
}

} // namespace

WorkloadResult measureRunWindow(const BenchFolder& folder)
{
    // A journal of its own, so the user's undo history is left alone.
    const QTemporaryDir state;
    if (!state.isValid())
        throw std::runtime_error("cannot create the journal folder");
    const QByteArray stateBefore = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    AnsweringPlatform platform(folder.path());
    MainWindow window(platform);
    window.load();
    window.show();
    window.findChild<QCheckBox*>(QLatin1String(controlName::optionChecks[0]))->click();
    window.findChild<QLineEdit*>(QLatin1String(controlName::optionTexts[0]))
        ->setText(QStringLiteral("p"));
    const auto* fileList = window.findChild<FileList*>(QLatin1String(controlName::fileList));
    if (fileList->count() != folder.files())
        throw std::runtime_error("the file list lost entries");
    // The run takes the texts the preview took at its last tick.
    runFor(300);

    const RunSeen whole = runOnce(window, 0);
    if (fileList->count() != folder.files() || !fileList->entryName(0).startsWith("p"))
        throw std::runtime_error("the run did not rename the files");
    const RunSeen cancelled = runOnce(window, 0.25);
    qputenv("XDG_STATE_HOME", stateBefore);
    print("whole run", whole);
    print("run cancelled at 25%", cancelled);
    return {whole.totalMs / 1000, std::nullopt};
}

} // namespace vornak::bench
