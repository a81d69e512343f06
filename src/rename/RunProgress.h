#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QWidget>

#include <chrono>

namespace vornak {

// The progress of a run done on the user-interface thread: once the run has lasted `after`,
// an application-modal dialog over window shows the files done of all, drawn at most every
// 50 ms, and the windows paint in between. With 取消, the run learns of it at its next step.
class RunProgress {
public:
    static constexpr std::chrono::milliseconds kDrawEvery{50};

    // action: what the dialog says is happening ("正在重命名").
    RunProgress(QWidget& window, QString action, bool cancellable, std::chrono::milliseconds after);
    ~RunProgress();
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    // After each file; false once the user has cancelled.
    bool advance(std::size_t done, std::size_t total);

private:
    void draw(std::size_t done, std::size_t total);

    QWidget& m_window;
    QString m_action;
    bool m_cancellable;
    QElapsedTimer m_clock;
    qint64 m_nextDraw;
    QPointer<QProgressDialog> m_dialog;
};

} // namespace vornak
