#pragma once

#include <QChar>

namespace vornak {

// Texts shown to the user break lines with a lone carriage return.
inline constexpr QChar kLineBreak = u'\r';

} // namespace vornak
