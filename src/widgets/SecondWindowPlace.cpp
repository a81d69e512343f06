#include "SecondWindowPlace.h"

#include "FileList.h"
#include "FolderList.h"
#include "WindowPlacement.h"
#include "core/plan/ProgramSettings.h"

#include <QGuiApplication>
#include <QScreen>

namespace vornak {

namespace {

// The main window's file and folder lists, in screen coordinates.
QRect listsRect(const QWidget& mainWindow)
{
    QRect lists;
    const auto add = [&lists](const QWidget* list) {
        lists |= QRect(list->mapToGlobal(QPoint(0, 0)), list->size());
    };
    for (const QWidget* list : mainWindow.findChildren<FileList*>())
        add(list);
    for (const QWidget* list : mainWindow.findChildren<FolderList*>())
        add(list);
    return lists;
}

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

} // namespace

SecondWindowPlace::SecondWindowPlace(QWidget& window, QString settingsKey)
    : m_window(window), m_settingsKey(std::move(settingsKey))
{}

QRect SecondWindowPlace::availableArea(const QWidget& mainWindow)
{
    const QScreen* screen = mainWindow.screen();
    return screen ? screen->availableGeometry() : QRect();
}

QSize SecondWindowPlace::frameExtent(const QWidget& mainWindow)
{
    return mainWindow.frameGeometry().size() - mainWindow.size();
}

void SecondWindowPlace::place(const QWidget& mainWindow, QSize outerSize)
{
    const ProgramSettings settings;
    const QPoint left = settings.value(m_settingsKey).toPoint();
    const bool leftThere =
        settings.contains(m_settingsKey) && liesWithin(QRect(left, outerSize), availableAreas());
    m_placed = leftThere ? left
                         : placeNear(availableArea(mainWindow), mainWindow.frameGeometry(),
                                     outerSize, listsRect(mainWindow));
    m_window.move(m_placed);
}

void SecondWindowPlace::rememberIfMoved() const
{
    if (m_window.pos() != m_placed)
        ProgramSettings().setValue(m_settingsKey, m_window.pos());
}

} // namespace vornak
