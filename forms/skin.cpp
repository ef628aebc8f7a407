#include "forms/skin.h"

#include "base/numbers.h"
#include "forms/shared_state.h"

namespace quillet {

Skin CurrentSkin() {
  Skin skin;
  skin.background = ColourFromText(Parameters[kParamBackground]);
  skin.button = ColourFromText(Parameters[kParamButtonColour]);
  skin.buttonText = ColourFromText(Parameters[kParamButtonTextColour]);
  skin.docking = LenientNumber(Parameters[kParamDocking]) != 0;
  skin.trayButton = LenientNumber(Parameters[kParamTrayButton]) != 0;
  skin.onTop = LenientNumber(Parameters[kParamOnTop]) != 0;
  return skin;
}

}  // namespace quillet
