#pragma once

#include "InputHold.h"
#include "core/jobs/JobControl.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <chrono>

namespace vornak {

// What the window shows while a run or an undo goes on its own thread. From the start, the
// user's input is held (InputHold); once the job has lasted `after`, an application-modal dialog
// over window shows its phase and the files done of all, read off the job's control every 50 ms.
// Its 取消 asks the job to stop after the file in hand.
class RunProgress : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDrawEvery{50};

    // action: what the dialog says is happening while files are renamed ("正在重命名").
    RunProgress(QWidget& window, const JobControl& control, QString action, bool cancellable,
                std::chrono::milliseconds after);
    ~RunProgress() override;

Q_SIGNALS:
    void cancelled();

private:
    void draw();
    void showDialog();

    InputHold m_hold;
    QPointer<QWidget> m_window;
    const JobControl& m_control;
    QString m_action;
    bool m_cancellable;
    QTimer m_showTimer;
    QTimer m_drawTimer;
    QPointer<QProgressDialog> m_dialog;
};

} // namespace vornak
