#include "texts/KeptFileLines.h"

#include "core/names/NativePath.h"
#include "texts/SystemReason.h"

#include <QCoreApplication>

#include <cerrno>

namespace vornak {

namespace {

QString line(const QString& from, const QString& to, const QString& reason)
{
    return QCoreApplication::translate("KeptFile", "“%1” → “%2”：%3").arg(from, to, reason);
}

// Why the file system refused, where no reason of the run says more.
QString failedText(int error)
{
    if (error == 0)
        return QCoreApplication::translate("KeptFile", "无法重命名");
    return QCoreApplication::translate("KeptFile", "无法重命名（%1）").arg(systemReasonText(error));
}

QString reasonText(KeptReason reason, int error)
{
    switch (reason) {
    case KeptReason::NameTaken:
        return QCoreApplication::translate("KeptFile", "新名称已被占用");
    case KeptReason::NameTooLong:
        return QCoreApplication::translate("KeptFile", "新名称太长");
    case KeptReason::NoPermission:
        return QCoreApplication::translate("KeptFile", "没有权限或只读");
    case KeptReason::FileGone:
        return QCoreApplication::translate("KeptFile", "文件已不存在");
    case KeptReason::NameNotAllowed:
        return QCoreApplication::translate("KeptFile", "此处不允许该名称");
    case KeptReason::DuplicateInBatch:
        return QCoreApplication::translate("KeptFile", "与本批其他文件重名");
    case KeptReason::WaitsOnFile:
        return QCoreApplication::translate("KeptFile", "需等待的文件未能改名");
    case KeptReason::LeftAtStepName:
        return QCoreApplication::translate("KeptFile", "大小写更改中断，文件暂名为 ");
    case KeptReason::LeftAtTemporary:
        return QCoreApplication::translate("KeptFile", "循环改名中断，文件暂名为 ");
    case KeptReason::Cancelled:
        return QCoreApplication::translate("KeptFile", "已取消");
    case KeptReason::Failed:
        break;
    }
    return failedText(error);
}

// Why the file system refused to give a file its old name back.
QString refusalText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return reasonText(KeptReason::NoPermission, error);
    case ENAMETOOLONG:
        return QCoreApplication::translate("KeptFile", "名称太长");
    case ENOENT:
        return reasonText(KeptReason::FileGone, error);
    default:
        return failedText(error);
    }
}

// A name that may still hold the empty file a run cut short made to claim it: no file of the
// user's moves back there, so the line names the one name.
QString placeholderLine(const UndoStep& step)
{
    const QString reason =
        step.error == 0
            ? QCoreApplication::translate("KeptFile",
                                          "可能是中断的重命名留下的占位文件，但已被写入，未删除")
            : QCoreApplication::translate("KeptFile", "中断的重命名留下的占位文件未能删除（%1）")
                  .arg(systemReasonText(step.error));
    return QCoreApplication::translate("KeptFile", "“%1”：%2")
        .arg(displayText(step.newName), reason);
}

} // namespace

QString keptFileLine(const KeptFile& file)
{
    return keptFileLine(file, displayText(file.oldName), displayText(file.newName));
}

QString undoFailureLine(const UndoStep& step)
{
    return undoFailureLine(step, displayText(step.newName), displayText(step.oldName));
}

QString keptFileLine(const KeptFile& file, const QString& from, const QString& to)
{
    QString reason = reasonText(file.reason, file.error);
    // The file is under neither name: say where it is, so that it is found (and undo finds it).
    if (file.reason == KeptReason::LeftAtStepName)
        reason += QString::fromLatin1(caseStepName(file.oldName));
    else if (file.reason == KeptReason::LeftAtTemporary)
        reason += displayText(file.temporaryName);
    return line(from, to, reason);
}

QString undoFailureLine(const UndoStep& step, const QString& from, const QString& to)
{
    QString reason;
    switch (step.outcome) {
    case UndoOutcome::PlaceholderKept:
        return placeholderLine(step);
    case UndoOutcome::Changed:
        reason = QCoreApplication::translate("KeptFile", "该名称下的文件已被更改或替换");
        break;
    case UndoOutcome::Missing:
        reason = reasonText(KeptReason::FileGone, step.error);
        break;
    case UndoOutcome::OldNameTaken:
        reason = QCoreApplication::translate("KeptFile", "原名称已被占用");
        break;
    case UndoOutcome::Failed:
        reason = refusalText(step.error);
        break;
    case UndoOutcome::Restored:
    case UndoOutcome::NotRenamed:
    case UndoOutcome::PlaceholderRemoved:
        break;
    }
    return line(from, to, reason);
}

} // namespace vornak
