#include "texts/RunTexts.h"

#include <QCoreApplication>

namespace vornak::runText {

QString runSummary(std::size_t renamed, std::size_t kept)
{
    return QCoreApplication::translate("RunTexts", "已重命名 %1 个文件，%2 个未更改")
        .arg(renamed)
        .arg(kept);
}

QString undoSummary(std::size_t restored, std::size_t failed)
{
    return QCoreApplication::translate("RunTexts", "已恢复 %1 个文件，%2 个未能恢复")
        .arg(restored)
        .arg(failed);
}

} // namespace vornak::runText
