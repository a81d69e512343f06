#include "StatusSummary.h"

#include "texts/RenameStatusText.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace vornak {

namespace {

constexpr RenameStatus kStatuses[] = {
    RenameStatus::Change,
    RenameStatus::Hides,
    RenameStatus::CaseOnly,
    RenameStatus::CycleThroughTemporary,
    RenameStatus::Unchanged,
    RenameStatus::NameTaken,
    RenameStatus::DuplicateInBatch,
    RenameStatus::CycleOrBlocked,
    RenameStatus::NameTooLong,
    RenameStatus::NameNotAllowed,
    RenameStatus::ExpressionTooComplex,
    RenameStatus::MissingField,
    RenameStatus::Unticked,
};

} // namespace

QString statusSummary(const PlannedBatch& batch)
{
    std::array<std::size_t, std::size(kStatuses)> counts{};
    for (RenameStatus status : batch.plan.statuses)
        ++counts[static_cast<std::size_t>(status)];
    QString line = QCoreApplication::translate("StatusSummary", "共 %1 个").arg(batch.rowCount());
    for (RenameStatus status : kStatuses) {
        if (const std::size_t count = counts[static_cast<std::size_t>(status)])
            line += QCoreApplication::translate("StatusSummary", "　%1 %2")
                        .arg(statusText(status))
                        .arg(count);
    }
    const auto undated =
        std::count(batch.modifiedInstead.begin(), batch.modifiedInstead.end(), true);
    if (undated > 0)
        line += QCoreApplication::translate("StatusSummary", "　无拍摄日期 %1").arg(undated);
    return line;
}

} // namespace vornak
