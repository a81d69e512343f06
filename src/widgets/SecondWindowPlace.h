#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <optional>

namespace vornak {

// Opens a window of the program beside the main window, within the screen the main window is
// on, or where the user left it. Its outer size is the one given, or, before the window
// has a frame, its size in a frame like the main window's.
class SecondWindowPlace {
public:
    // settingsKey: where the place the user leaves the window at is kept.
    SecondWindowPlace(QWidget& window, QString settingsKey);

    // The available area of the main window's screen.
    static QRect availableArea(const QWidget& mainWindow);
    // What a window manager adds around the main window, and so around this one once shown.
    static QSize frameExtent(const QWidget& mainWindow);

    // Moves the window to where the user left it while that lies within an available screen,
    // else near the main window.
    void place(const QWidget& mainWindow, QSize outerSize);
    // Keeps the window's place for the next time if the user has moved it since it was placed.
    void rememberIfMoved() const;

private:
    QWidget& m_window;
    QString m_settingsKey;
    QPoint m_placed;
};

} // namespace vornak
