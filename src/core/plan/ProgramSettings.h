#pragma once

#include <QSettings>

namespace vornak {

// The program's settings file, $XDG_CONFIG_HOME/vornak/vornak.conf (by default under
// ~/.config): the batch preview's window layout and the saved rule sets. Named here rather than
// by the application's names, which tests and the program set differently.
class ProgramSettings : public QSettings {
public:
    ProgramSettings();
};

} // namespace vornak
