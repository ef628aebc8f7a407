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

Palette PaletteOf(const Skin& skin, bool highContrast, const SystemColours& system) {
  Palette p;
  p.selection = system.highlight;
  p.selectionText = system.highlightText;
  if (!highContrast) {
    p.back = skin.background;
    p.shade = 0xEEEEEE;
    p.picture = skin.background;
    p.button = skin.button;
    p.buttonText = skin.buttonText;
    p.cell = 0xFFFFFF;
    p.fixed = 0xE0E0E0;
    p.lines = 0xC0C0C0;
    return p;
  }
  p.flat = true;
  p.back = system.face;
  p.text = system.faceText;
  p.shade = system.face;
  // The pictures' dark ink needs a light ground whatever the scheme.
  p.picture = 0xFFFFFF;
  p.button = system.face;
  p.buttonText = system.faceText;
  p.cell = system.window;
  p.cellText = system.windowText;
  p.fixed = system.face;
  p.fixedText = system.faceText;
  p.lines = system.windowText;
  return p;
}

}  // namespace quillet
