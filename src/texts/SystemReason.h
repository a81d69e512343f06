#pragma once

#include <QString>

namespace vornak {

// Why the system refused, in the user's language, for an error number a call of the program
// returned: the errors a file program meets have texts of their own, any other the system's
// words for it.
QString systemReasonText(int error);

} // namespace vornak
