#include "TestPlatform.h"

namespace vornak::test {

MessageAnswer TestPlatform::messageBox(const QString& prompt, MessageButtons buttons,
                                       const QString& title)
{
    messages.append({prompt, buttons, title});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers.empty())
        return MessageAnswer::Yes;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace vornak::test
