// For hosting the gradient button control: a window to put it in, and the
// program's manifest, under which the control is found.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <string>

#include "tests/support/win_test.h"

namespace quillet::test {

// A visible top-most window to host controls in (client area w x h px).
HWND CreateHostWindow(int width, int height);

// The activation context of quillet.exe's embedded manifest, active while
// this object lives: what the program itself runs under, so that
// "Lantoc.Gleam" is found beside it with nothing registered.
class ProgramManifest {
 public:
  ProgramManifest();
  ~ProgramManifest();
  ProgramManifest(const ProgramManifest&) = delete;
  ProgramManifest& operator=(const ProgramManifest&) = delete;
  bool active() const { return active_; }

 private:
  std::wstring exe_, dir_;
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

}  // namespace quillet::test
