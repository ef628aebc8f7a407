#include "settings/default_settings.h"

#include "base/hot_key.h"

namespace quillet {

ParameterItems DefaultSettings(std::string_view dataFolder) {
  ParameterItems items;
  items[kParamDataFolder] = std::string(dataFolder);
  items[kParamReminderSound] = "1";  // reminder sound on
  items[kParamDocking] = "1";  // panel docks and hides at the screen edges
  items[kParamOnTop] = "1";  // panel always on top
  items[kParamTrayButton] = "1";  // tray button shown
  items[kParamPopupBySelf] = "1";  // reminder pop-up comes up by itself
  items[kParamMessages] = "0";  // messages accepted
  items[kParamBackground] = ColourText(kDefaultBackground);
  // Buttons: a deep blue, darkening down the face, under white captions:
  // every band behind a caption stays at 4.5 : 1 or more.
  items[kParamButtonColour] = ColourText(MakeColour(0x3C, 0x78, 0xBE));
  // The text colours of the work table's rows by completion state, drawn on
  // white cells: dark, distinct and conventional, each at least 4.5 : 1
  // against white.
  items[kParamDoneColour] = ColourText(MakeColour(0x1B, 0x6E, 0x20));   // done: green
  items[kParamNotDoneColour] = ColourText(MakeColour(0x1F, 0x3A, 0x93));  // not done: dark blue
  items[kParamCancelledColour] = ColourText(MakeColour(0x5F, 0x5F, 0x5F));  // cancelled: grey
  items[kParamPostponedColour] = ColourText(MakeColour(0x8B, 0x45, 0x13));  // postponed: brown
  items[kParamPartlyDoneColour] = ColourText(MakeColour(0x6A, 0x1B, 0x9A));  // partly done: purple
  // Panel position, twips: free on the screen, clear of every snapping edge.
  items[kParamPanelLeft] = "3000";
  items[kParamPanelTop] = "1500";
  items[kParamSoundFile] = kDeliveredSoundFile;  // a first reminder is heard
  items[kParamButtonTextColour] = ColourText(MakeColour(0xFF, 0xFF, 0xFF));  // white captions
  items[kParamHotKey] = std::string(kDefaultHotKey);
  return items;
}

}  // namespace quillet
