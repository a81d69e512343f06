#pragma once

#include <QByteArrayView>

namespace vornak::test {

// The promise of the rename plan that one fuzz input breaks, or nullptr.
const char* brokenRenameRule(QByteArrayView input);

} // namespace vornak::test
