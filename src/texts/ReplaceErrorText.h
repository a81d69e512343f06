#pragma once

#include "core/names/NamePattern.h"
#include "core/names/ReplaceError.h"

#include <QString>

namespace vornak {

// The message beside the find/replace fields; empty when there is no error.
QString replaceErrorText(const ReplaceError& error);
// Why a name pattern cannot be read; empty when it can.
QString patternErrorText(const PatternError& error);

} // namespace vornak
