#pragma once

#include <QObject>
#include <QWidget>

namespace vornak {

// Click and DblClick for a widget that has no such signals of its own (a text box). A click
// is a left press and release on the widget. The second press of a double click is left to
// whoever handles doubleClicked(): the widget never sees it, so its own reaction (selecting a
// word) cannot undo the handler's.
class ClickSignals : public QObject {
    Q_OBJECT
public:
    explicit ClickSignals(QWidget& widget);

Q_SIGNALS:
    void clicked();
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_widget;
    bool m_pressed = false;
};

} // namespace vornak
