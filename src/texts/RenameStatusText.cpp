#include "texts/RenameStatusText.h"

#include <QCoreApplication>

namespace vornak {

QString statusText(RenameStatus status)
{
    switch (status) {
    case RenameStatus::Change:
        return QCoreApplication::translate("RenameStatus", "将更改");
    case RenameStatus::Hides:
        return QCoreApplication::translate("RenameStatus", "将隐藏");
    case RenameStatus::CaseOnly:
        return QCoreApplication::translate("RenameStatus", "仅大小写");
    case RenameStatus::Unchanged:
        return QCoreApplication::translate("RenameStatus", "不变");
    case RenameStatus::NameTaken:
        return QCoreApplication::translate("RenameStatus", "名称已被占用");
    case RenameStatus::DuplicateInBatch:
        return QCoreApplication::translate("RenameStatus", "与本批重名");
    case RenameStatus::CycleOrBlocked:
        return QCoreApplication::translate("RenameStatus", "循环或受阻");
    case RenameStatus::NameTooLong:
        return QCoreApplication::translate("RenameStatus", "名称太长");
    case RenameStatus::NameNotAllowed:
        return QCoreApplication::translate("RenameStatus", "名称不允许");
    case RenameStatus::ExpressionTooComplex:
        return QCoreApplication::translate("RenameStatus", "表达式太复杂");
    case RenameStatus::CycleThroughTemporary:
        return QCoreApplication::translate("RenameStatus", "循环（经临时名称）");
    case RenameStatus::MissingField:
        return QCoreApplication::translate("RenameStatus", "缺少字段");
    case RenameStatus::Unticked:
        return QCoreApplication::translate("RenameStatus", "未选");
    }
    return {};
}

QString rowStatusText(const PlannedBatch& batch, std::size_t row)
{
    const RenameStatus status = batch.plan.statuses[row];
    if (!batch.manual.empty() && batch.manual[row])
        return status == RenameStatus::Change
                   ? QCoreApplication::translate("RenameStatus", "手动")
                   : QCoreApplication::translate("RenameStatus", "%1（手动）")
                         .arg(statusText(status));
    const QString text = statusText(status);
    if (batch.missingFields.empty() || !batch.missingFields[row])
        return text;
    return QCoreApplication::translate("RenameStatus", "%1 {%2}")
        .arg(text, patternFieldName(*batch.missingFields[row]));
}

} // namespace vornak
