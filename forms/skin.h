// The settings the shell's windows draw and behave by, taken from the
// parameter items: colours of the skin and the panel's three switches.
#pragma once

#include "base/colour.h"
#include "base/parameter_items.h"

namespace quillet {

struct Skin {
  Colour background = 0;  // item 7: gradients and title strips
  Colour button = 0;      // item 8: ForeColor of every gradient button
  Colour buttonText = 0;  // item 17: TextColor of every gradient button
  bool docking = false;   // item 2: the panel docks and hides at the edges
  bool trayButton = false;  // item 4: the panel's tray picture is shown
  bool onTop = false;     // item 3: the panel stays above other windows
};

// The skin of the parameter items.
Skin SkinOf(const ParameterItems& items);

// The system's colours a high-contrast look paints in (GetSysColor).
struct SystemColours {
  Colour window = 0xFFFFFF;         // COLOR_WINDOW
  Colour windowText = 0;            // COLOR_WINDOWTEXT
  Colour face = 0xF0F0F0;           // COLOR_BTNFACE
  Colour faceText = 0;              // COLOR_BTNTEXT
  Colour highlight = 0xD77800;      // COLOR_HIGHLIGHT
  Colour highlightText = 0xFFFFFF;  // COLOR_HIGHLIGHTTEXT
};

// The colours the windows paint in. With high contrast off: the skin's and
// the program's own. On: the system's, flat, so that every text stands on
// the background the user's scheme pairs it with. The skin (and so the
// settings file) stays as it is either way.
struct Palette {
  // High contrast: each background one colour (no gradient, no shading),
  // and no colours of a window's own (state colours, red holidays).
  bool flat = false;
  Colour back = 0;        // every window's background and title strip
  Colour text = 0;        // labels, titles and dates drawn on it
  Colour shade = 0;       // the light copy behind a title
  Colour picture = 0;     // behind the small pictures (their white shows it)
  Colour button = 0;      // ForeColor of every gradient button
  Colour buttonText = 0;  // TextColor of every gradient button
  Colour cell = 0;        // table cells, calendar days, boxes drawn on the background
  Colour cellText = 0;
  Colour fixed = 0;       // the table's header cells
  Colour fixedText = 0;
  Colour selection = 0;
  Colour selectionText = 0;
  Colour lines = 0;       // the table's lines (when not flat, a table may have its own)
};

Palette PaletteOf(const Skin& skin, bool highContrast, const SystemColours& system);

}  // namespace quillet
