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

}  // namespace quillet
