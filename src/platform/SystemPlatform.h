#pragma once

#include "Platform.h"

#include <QPointer>
#include <QWidget>

namespace vornak {

// The platform as the desktop session provides it.
class SystemPlatform : public Platform {
public:
    void setParentWindow(QWidget* window) override { m_parentWindow = window; }
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

private:
    QPointer<QWidget> m_parentWindow;
};

} // namespace vornak
