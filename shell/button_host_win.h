// Creates the push buttons of window definitions. Every button of the
// program is a gradient button of the control library; this is the one
// place that creates one, so that the windows do not care how it is hosted.
#pragma once

#include <windows.h>

#include "shell/colour.h"
#include "shell/window_definition.h"

namespace quillet {

// A push button child of parent with the control's text at box (client
// pixels); a click arrives at parent as WM_COMMAND(id, BN_CLICKED).
HWND CreatePushButton(HWND parent, const ControlDef& control, const PixelBox& box, int id);
// ForeColor and TextColor of the button.
void SetPushButtonColours(HWND button, Colour fore, Colour text);
// Presses the button as a click with the mouse would.
void ClickPushButton(HWND button);

}  // namespace quillet
