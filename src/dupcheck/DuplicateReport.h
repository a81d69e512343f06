#pragma once

#include "EqualLengths.h"

#include "core/NameList.h"

#include <QString>

namespace vornak {

inline const QString kResultsTitle = QStringLiteral("检查结果");
// What the full check says when no two entries have the same length.
inline const QString kNoEqualFiles = QStringLiteral("没有检测到大小一致的文件!");

// The single check's report on the selected entry against every other entry, or its
// no-match text. The selected entry is left out by index, so a second entry that shows the
// same name is still compared; nothing matches a selected length that could not be read.
QString singleCheckReport(const NameList& entries, const Lengths& lengths, int selectedIndex,
                          std::optional<qint64> selectedLength);

// The full check's report on every pair of entries of equal length, lower index first;
// empty when nothing matches.
QString fullCheckReport(const NameList& entries, const Lengths& lengths);

} // namespace vornak
