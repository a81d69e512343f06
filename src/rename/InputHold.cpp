#include "InputHold.h"

#include <QApplication>
#include <QEvent>

namespace vornak {

namespace {

// What the user does with keys, mouse and touch, and the shortcuts these would trigger.
bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

InputHold::InputHold()
{
    qApp->installEventFilter(this);
}

InputHold::~InputHold()
{
    qApp->removeEventFilter(this);
}

bool InputHold::eventFilter(QObject* watched, QEvent* event)
{
    if (!isUserInput(event->type()) || !watched->isWidgetType() ||
        (m_open && static_cast<QWidget*>(watched)->window() == m_open))
        return false;
    // Accepted, a shortcut's key counts as taken, so no shortcut fires.
    event->accept();
    return true;
}

} // namespace vornak
