#pragma once

namespace vornak {

// Gives the program the font in which every caption and text box of the main window shows its
// text whole at the window's fixed geometry, at 96 DPI and scaled, and draws captions with
// their glyphs centred (see GlyphCentredStyle). Call once the application exists.
void applyAppFont();

} // namespace vornak
