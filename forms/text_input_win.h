// Text boxes that refuse what the data files cannot hold (see
// forms/text_input.h), and reading a control's text as UTF-8.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// From now on the edit control refuses typed or pasted characters that
// code page 936 cannot hold, naming them in the message dialog.
void RefuseUnmappableInput(HWND edit);

// A window's text, UTF-8.
std::string WindowText(HWND window);

}  // namespace quillet
