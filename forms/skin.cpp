#include "forms/skin.h"

#include "base/numbers.h"

namespace quillet {

Skin SkinOf(const ParameterItems& items) {
  Skin skin;
  skin.background = ColourFromText(items[kParamBackground]);
  skin.button = ColourFromText(items[kParamButtonColour]);
  skin.buttonText = ColourFromText(items[kParamButtonTextColour]);
  skin.docking = LenientNumber(items[kParamDocking]) != 0;
  skin.trayButton = LenientNumber(items[kParamTrayButton]) != 0;
  skin.onTop = LenientNumber(items[kParamOnTop]) != 0;
  return skin;
}

}  // namespace quillet
