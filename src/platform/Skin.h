#pragma once

namespace vornak::Skin {

// Applies the program's own bundled style to every window; a missing or unreadable style
// leaves the plain look.
void attach();

} // namespace vornak::Skin
