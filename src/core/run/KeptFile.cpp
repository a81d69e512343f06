#include "core/run/KeptFile.h"

#include "core/names/NativePath.h"

#include <cerrno>
#include <cstring>

namespace vornak {

namespace {

QString line(const QByteArray& from, const QByteArray& to, const QString& reason)
{
    return QStringLiteral("“%1” → “%2”：%3").arg(displayText(from), displayText(to), reason);
}

QString reasonText(KeptReason reason)
{
    switch (reason) {
    case KeptReason::NameTaken:
        return QStringLiteral("新名称已被占用");
    case KeptReason::NameTooLong:
        return QStringLiteral("新名称太长");
    case KeptReason::NoPermission:
        return QStringLiteral("没有权限或只读");
    case KeptReason::FileGone:
        return QStringLiteral("文件已不存在");
    case KeptReason::NameNotAllowed:
        return QStringLiteral("此处不允许该名称");
    case KeptReason::DuplicateInBatch:
        return QStringLiteral("与本批其他文件重名");
    case KeptReason::WaitsOnFile:
        return QStringLiteral("需等待的文件未能改名");
    case KeptReason::LeftAtStepName:
        return QStringLiteral("大小写更改中断，文件暂名为 ");
    case KeptReason::Cancelled:
        return QStringLiteral("已取消");
    case KeptReason::Failed:
        break;
    }
    return QStringLiteral("无法重命名");
}

// Why the file system refused to give a file its old name back.
QString refusalText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return reasonText(KeptReason::NoPermission);
    case ENAMETOOLONG:
        return QStringLiteral("名称太长");
    case ENOENT:
        return reasonText(KeptReason::FileGone);
    default:
        return QStringLiteral("无法重命名（%1）").arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

} // namespace

KeptReason keptReasonOf(RenameOutcome outcome)
{
    switch (outcome) {
    case RenameOutcome::TargetExists:
        return KeptReason::NameTaken;
    case RenameOutcome::NameTooLong:
        return KeptReason::NameTooLong;
    case RenameOutcome::NoPermission:
        return KeptReason::NoPermission;
    case RenameOutcome::SourceGone:
        return KeptReason::FileGone;
    case RenameOutcome::NameNotAllowed:
        return KeptReason::NameNotAllowed;
    case RenameOutcome::Renamed:
    case RenameOutcome::Other:
        break;
    }
    return KeptReason::Failed;
}

KeptReason keptReasonOf(RenameStatus status)
{
    switch (status) {
    case RenameStatus::NameTaken:
        return KeptReason::NameTaken;
    case RenameStatus::DuplicateInBatch:
        return KeptReason::DuplicateInBatch;
    case RenameStatus::CycleOrBlocked:
        return KeptReason::WaitsOnFile;
    case RenameStatus::NameTooLong:
        return KeptReason::NameTooLong;
    case RenameStatus::NameNotAllowed:
        return KeptReason::NameNotAllowed;
    case RenameStatus::Change:
    case RenameStatus::Hides:
    case RenameStatus::CaseOnly:
    case RenameStatus::Unchanged:
    case RenameStatus::ExpressionTooComplex:
        break;
    }
    return KeptReason::Failed;
}

QString keptFileLine(const KeptFile& file)
{
    QString reason = reasonText(file.reason);
    // The file is under neither name: say where it is, so that it is found (and undo finds it).
    if (file.reason == KeptReason::LeftAtStepName)
        reason += QString::fromLatin1(caseStepName(file.oldName));
    return line(file.oldName, file.newName, reason);
}

QString undoFailureLine(const UndoStep& step)
{
    QString reason;
    switch (step.outcome) {
    case UndoOutcome::Changed:
        reason = QStringLiteral("该名称下的文件已被更改或替换");
        break;
    case UndoOutcome::Missing:
        reason = reasonText(KeptReason::FileGone);
        break;
    case UndoOutcome::OldNameTaken:
        reason = QStringLiteral("原名称已被占用");
        break;
    case UndoOutcome::Failed:
        reason = refusalText(step.error);
        break;
    case UndoOutcome::Restored:
    case UndoOutcome::NotRenamed:
        break;
    }
    return line(step.newName, step.oldName, reason);
}

} // namespace vornak
