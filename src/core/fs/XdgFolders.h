#pragma once

#include <QByteArray>

// The per-user base folders of the XDG base directory rules: the variable when it holds an
// absolute path (a relative one is to be ignored), else its default under the home folder.
namespace vornak {

// $XDG_STATE_HOME, by default ~/.local/state.
QByteArray xdgStateHome();
// $XDG_DATA_HOME, by default ~/.local/share.
QByteArray xdgDataHome();

// Creates the folder and every missing folder above it, each readable by its owner only, as
// the rules ask for base folders and the trash needs. 0 when the folder is there afterwards,
// else the errno that stopped it.
[[nodiscard]] int createFolders(const QByteArray& path);

} // namespace vornak
