#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QStringList>

#include <deque>

namespace vornak::test {

// A message box as the program asked for it.
struct ShownMessage {
    QString prompt;
    MessageButtons buttons;
    QString title;
};

// The platform for tests: everything is recorded or scripted here; the file system stays the
// real one.
class TestPlatform : public Platform {
public:
    void setParentWindow(QWidget* window) override { parentWindow = window; }
    void shellOpen(const QByteArray&) override {}
    MessageAnswer messageBox(const QString& prompt, MessageButtons buttons,
                             const QString& title) override;
    void setClipboardText(const QString& text) override { clipboard = text; }
    void attachSkin() override { ++skinAttached; }
    QList<Volume> volumes() const override { return volumeList; }
    QByteArray startFolder() const override { return folderAtStart; }
    std::optional<QByteArray> desktopFolder() const override { return desktop; }
    QByteArray homeFolder() const override { return home; }

    QWidget* parentWindow = nullptr;
    QList<ShownMessage> messages;
    // Answers for Yes/No questions, taken in order; Yes once they run out.
    std::deque<MessageAnswer> answers;
    QString clipboard;
    int skinAttached = 0;
    QList<Volume> volumeList{{"/", QStringLiteral("/")}};
    QByteArray folderAtStart = "/";
    std::optional<QByteArray> desktop;
    QByteArray home = "/";
};

} // namespace vornak::test
