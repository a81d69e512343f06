#pragma once

namespace vornak {

// Shows Qt's own texts (message-box buttons, the text boxes' context menu) in Chinese like the
// rest of the interface, whatever the locale says. Without Qt's Chinese translations
// installed they stay English. Call once the application exists.
void installQtTranslation();

} // namespace vornak
