#pragma once

#include "core/names/ReplaceError.h"

#include <QString>

namespace vornak {

// The message beside the find/replace fields; empty when there is no error.
QString replaceErrorText(const ReplaceError& error);

} // namespace vornak
