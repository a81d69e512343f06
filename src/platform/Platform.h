#pragma once

#include "core/fs/Volumes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QWidget;

namespace vornak {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The one seam between the program and its surroundings: everything a test must watch or
// steer (dialogs, shell, clipboard, skin, volumes, and the start, desktop and home folders).
// The file system is not behind it: tests run the core's calls against real folders.
class Platform {
public:
    virtual ~Platform() = default;

    // The window every message box belongs to and is centred on.
    virtual void setParentWindow(QWidget* window) = 0;
    virtual void shellOpen(const QByteArray& path) = 0;
    virtual MessageAnswer messageBox(const QString& prompt, MessageButtons buttons,
                                     const QString& title) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void attachSkin() = 0;
    virtual QList<Volume> volumes() const = 0;
    // The folder the lists show before the load steps run.
    virtual QByteArray startFolder() const = 0;
    // The user's desktop folder, or nothing when the user has none.
    virtual std::optional<QByteArray> desktopFolder() const = 0;
    virtual QByteArray homeFolder() const = 0;
};

} // namespace vornak
