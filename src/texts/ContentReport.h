#pragma once

#include "core/check/ContentFindings.h"
#include "core/names/NameList.h"
#include "texts/TranslatedText.h"

#include <QStringList>

namespace vornak {

inline constexpr TranslatedText kContentResultsTitle{
    "ContentReport", QT_TRANSLATE_NOOP("ContentReport", "内容检查结果")};
// What the content check says when it found nothing to report.
inline constexpr TranslatedText kNoIdenticalFiles{
    "ContentReport", QT_TRANSLATE_NOOP("ContentReport", "没有内容相同的文件!")};

// Numbers grouped by thousands, as everywhere in the content check's texts: "1,599,960,002".
QString grouped(qint64 count);

// The content check's report, one line per name: a summary, then each group of copies and what
// moving away all but one file of it would free, then the groups whose names all lead to one
// file, then the files that could not be read and those that changed while they were compared.
// Links are marked as links; numbers are grouped by thousands. Groups are set apart by a line
// of hyphens. Empty when there is nothing to report.
QStringList contentReport(const NameList& entries, const ContentFindings& findings);

} // namespace vornak
