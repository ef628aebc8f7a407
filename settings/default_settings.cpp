#include "settings/default_settings.h"

namespace quillet {

ParameterItems DefaultSettings(std::string_view dataFolder) {
  ParameterItems items;
  items[0] = std::string(dataFolder);
  items[1] = "1";  // reminder sound on
  items[2] = "1";  // panel docks and hides at the screen edges
  items[3] = "1";  // panel always on top
  items[4] = "1";  // tray button shown
  items[5] = "1";  // reminder pop-up comes up by itself
  items[6] = "0";  // messages accepted
  items[7] = ColourText(kDefaultBackground);
  // Buttons: a pale blue whose gradient keeps the caption readable.
  items[8] = ColourText(MakeColour(0xF0, 0xF8, 0xFF));
  // The five completion states: soft tints that keep black text readable.
  items[9] = ColourText(MakeColour(0xFF, 0xE0, 0xE0));   // rose
  items[10] = ColourText(MakeColour(0xFF, 0xF4, 0xC8));  // cream
  items[11] = ColourText(MakeColour(0xD8, 0xF4, 0xD0));  // mint
  items[12] = ColourText(MakeColour(0xD4, 0xE4, 0xFF));  // sky
  items[13] = ColourText(MakeColour(0xE4, 0xE4, 0xE4));  // grey
  // Panel position, twips: free on the screen, clear of every snapping edge.
  items[14] = "3000";
  items[15] = "1500";
  items[16] = "";
  items[17] = ColourText(MakeColour(0x10, 0x20, 0x40));  // dark navy captions
  return items;
}

}  // namespace quillet
