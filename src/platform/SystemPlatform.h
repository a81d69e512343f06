#pragma once

#include "Platform.h"

namespace vornak {

// The platform as the desktop session provides it.
class SystemPlatform : public Platform {
public:
    void shellOpen(const QByteArray& path) override;
    MessageAnswer messageBox(const QString& prompt, MessageButtons buttons,
                             const QString& title) override;
    void setClipboardText(const QString& text) override;
    void attachSkin() override;
    QList<Volume> volumes() const override;
    // The process's current folder.
    QByteArray startFolder() const override;
    std::optional<QByteArray> desktopFolder() const override;
    QByteArray homeFolder() const override;
};

} // namespace vornak
