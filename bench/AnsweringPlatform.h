#pragma once

#include "platform/SystemPlatform.h"

namespace vornak::bench {

// The desktop's platform, except that every question is answered 是 without a window, as the
// user at the keyboard would for a run they mean to measure.
class AnsweringPlatform : public SystemPlatform {
public:
    explicit AnsweringPlatform(QByteArray startFolder) : m_startFolder(std::move(startFolder)) {}

    QByteArray startFolder() const override { return m_startFolder; }
    MessageAnswer messageBox(const QString&, MessageButtons buttons, const QString&) override
    {
        ++m_messages;
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    int messages() const { return m_messages; }

private:
    QByteArray m_startFolder;
    int m_messages = 0;
};

} // namespace vornak::bench
