// Client objects (win32/accessible.h) for controls of other window classes:
// a system control, or a box whose window procedure another file owns, is
// hooked (comctl32 subclassing) to answer WM_GETOBJECT. The object goes
// with the control.
#pragma once

#include <windows.h>

#include <string>

#include "win32/accessible.h"

namespace quillet::win {

// control's client object answers from source, which must outlive the
// control. False, and nothing hooked, when the hook could not be set.
bool HookAccessible(HWND control, AccessibleSource* source);
// control's client object has the name given (its other answers stay the
// standard object's): a box named by a label its window draws.
bool NameForScreenReaders(HWND control, std::wstring name);

}  // namespace quillet::win
