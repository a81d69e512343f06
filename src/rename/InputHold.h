#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace vornak {

// Holds back the user's input to every window of the program while it lives, so that nothing
// starts a second job or changes the folder under the one that goes: keys, shortcuts (Ctrl+Z,
// F2, F5) and clicks; input to the one window let through (a progress dialog) still goes.
class InputHold : public QObject {
    Q_OBJECT
public:
    InputHold();
    ~InputHold() override;

    void letThrough(QWidget* window) { m_open = window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_open;
};

} // namespace vornak
