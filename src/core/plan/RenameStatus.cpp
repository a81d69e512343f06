#include "core/plan/RenameStatus.h"

namespace vornak {

QString statusText(RenameStatus status)
{
    switch (status) {
    case RenameStatus::Change:
        return QStringLiteral("将更改");
    case RenameStatus::Hides:
        return QStringLiteral("将隐藏");
    case RenameStatus::CaseOnly:
        return QStringLiteral("仅大小写");
    case RenameStatus::Unchanged:
        return QStringLiteral("不变");
    case RenameStatus::NameTaken:
        return QStringLiteral("名称已被占用");
    case RenameStatus::DuplicateInBatch:
        return QStringLiteral("与本批重名");
    case RenameStatus::CycleOrBlocked:
        return QStringLiteral("循环或受阻");
    case RenameStatus::NameTooLong:
        return QStringLiteral("名称太长");
    case RenameStatus::NameNotAllowed:
        return QStringLiteral("名称不允许");
    case RenameStatus::ExpressionTooComplex:
        return QStringLiteral("表达式太复杂");
    }
    return {};
}

} // namespace vornak
