#pragma once

#include "core/OpenFolder.h"
#include "core/Volumes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace vornak {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// What a directory probe counts as found: ordinary listed files only, or any entry at all.
enum class ProbeMask { OrdinaryFiles = 0, AnyEntry = 23 };

// The one seam between the program and its surroundings. The file system services are
// not virtual on purpose: tests always run them against real folders. Everything a test
// must watch or steer (dialogs, shell, clipboard, volumes, desktop) is virtual.
class Platform {
public:
    virtual ~Platform() = default;

    std::optional<qint64> fileLength(const QByteArray& path) const;
    // The folder held open for handling many of its entries: their lengths, renames.
    OpenFolder openFolder(const QByteArray& path) const { return OpenFolder(path); }
    bool probe(const QByteArray& path, ProbeMask mask) const;
    bool deleteFile(const QByteArray& path) const;

    virtual void shellOpen(const QByteArray& path) = 0;
    virtual MessageAnswer messageBox(const QString& prompt, MessageButtons buttons,
                                     const QString& title) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void attachSkin() = 0;
    virtual QList<Volume> volumes() const = 0;
    // The user's desktop folder, or nothing when the user has none.
    virtual std::optional<QByteArray> desktopFolder() const = 0;
    virtual QByteArray homeFolder() const = 0;
};

} // namespace vornak
