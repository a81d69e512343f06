#include "ClickSignals.h"

#include <QMouseEvent>

namespace vornak {

ClickSignals::ClickSignals(QWidget& widget) : QObject(&widget), m_widget(widget)
{
    m_widget.installEventFilter(this);
}

bool ClickSignals::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_widget)
        return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return false;
    const auto& mouse = *static_cast<QMouseEvent*>(event);
    if (mouse.button() != Qt::LeftButton)
        return false;
    switch (type) {
    case QEvent::MouseButtonPress:
        m_pressed = true;
        return false;
    case QEvent::MouseButtonRelease: {
        const bool click = m_pressed && m_widget.rect().contains(mouse.position().toPoint());
        m_pressed = false;
        if (click)
            Q_EMIT clicked();
        return false;
    }
    default:
        m_pressed = false;
        Q_EMIT doubleClicked();
        return true;
    }
}

} // namespace vornak
