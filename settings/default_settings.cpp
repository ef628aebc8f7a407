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
  // The text colours of the work table's rows by completion state, drawn on
  // white cells: dark, distinct and conventional, each at least 4.5 : 1
  // against white.
  items[9] = ColourText(MakeColour(0x1B, 0x6E, 0x20));   // done: green
  items[10] = ColourText(MakeColour(0x1F, 0x3A, 0x93));  // not done: dark blue
  items[11] = ColourText(MakeColour(0x5F, 0x5F, 0x5F));  // cancelled: grey
  items[12] = ColourText(MakeColour(0x8B, 0x45, 0x13));  // postponed: brown
  items[13] = ColourText(MakeColour(0x6A, 0x1B, 0x9A));  // partly done: purple
  // Panel position, twips: free on the screen, clear of every snapping edge.
  items[14] = "3000";
  items[15] = "1500";
  items[16] = kDeliveredSoundFile;  // a first reminder is heard
  items[17] = ColourText(MakeColour(0x10, 0x20, 0x40));  // dark navy captions
  return items;
}

}  // namespace quillet
