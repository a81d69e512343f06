#include "Messages.h"

#include "core/names/NativePath.h"
#include "texts/SystemReason.h"

#include <QCoreApplication>

namespace vornak {

QString withLineFeeds(QString text)
{
    return text.replace(kLineBreak, u'\n');
}

void showMissingFileMessage(Platform& platform, const QByteArray& folderPath,
                            const QByteArray& entryName)
{
    const QString prompt = QCoreApplication::translate("Messages", "位置：") + kLineBreak +
                           displayText(folderPath + entryName) + kLineBreak +
                           QCoreApplication::translate("Messages", "没有此文件！请检查！");
    platform.messageBox(prompt, MessageButtons::Ok, kErrorTitle);
}

void showFailure(Platform& platform, const QString& what, const QByteArray& where, int error)
{
    const QString prompt =
        what + kLineBreak + QCoreApplication::translate("Messages", "位置：") + displayText(where) +
        kLineBreak + QCoreApplication::translate("Messages", "原因：") + systemReasonText(error);
    platform.messageBox(prompt, MessageButtons::Ok, kErrorTitle);
}

bool confirm(Platform& platform, const QString& question)
{
    return platform.messageBox(question, MessageButtons::YesNo, kProgramTitle) ==
           MessageAnswer::Yes;
}

} // namespace vornak
