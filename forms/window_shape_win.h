// Helpers every frameless window uses: the rounded region, dragging by the
// surface, the strict cursor tests, and pulling a window back on screen.
#pragma once

#include <windows.h>

namespace quillet {

// Cuts the window to a rounded rectangle (RoundCornersRegion) of its
// current outer size; the region then belongs to the window manager.
void RoundCorners(HWND window, int radius);

// Left button (1) only: lets the window manager move the window as if its
// caption were dragged. Any other button does nothing.
void DragWindow(HWND window, int button);

// True when the cursor is strictly inside the window's outer rectangle
// (an edge pixel counts as outside).
bool CursorOverWindow(HWND window);

// The same for a control's box, given in the window's client pixels (drawn
// controls), or for a child window.
bool CursorOverControl(HWND window, const RECT& clientBox);
bool CursorOverControl(HWND window, HWND control);

// Moves the window so that it lies on the screen (top and left first).
void KeepOnScreen(HWND window);

}  // namespace quillet
