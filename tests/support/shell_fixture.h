// The shell's windows in the test process: the program's manifest active,
// first-run settings with docking off, a fresh program folder, and every
// window unloaded afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "forms/form_win.h"
#include "settings/default_settings.h"
#include "shell/program_windows_win.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {

class ShellFixture : public testing::Test {
 protected:
  static void SetUpTestSuite() { manifest_ = std::make_unique<ProgramManifest>(); }
  static void TearDownTestSuite() { manifest_.reset(); }
  void SetUp() override {
    ASSERT_TRUE(manifest_->active());
    ProgramFolder = win::Narrow(folder_.path());
    Parameters = DefaultSettings(ProgramFolder);
    Parameters[kParamDocking] = "0";
    Parameters[kParamHotKey] = "off";  // tests run side by side: the global key is the hot-key test's
  }
  void TearDown() override { UnloadFormsExcept(nullptr); }

  static inline std::unique_ptr<ProgramManifest> manifest_;
  TempFolder folder_;
  ShellProgram program_;
  ParameterItems& Parameters = program_.state.Parameters;
  std::string& ProgramFolder = program_.state.ProgramFolder;
};

// Real input, at screen points. Each returns once this thread has taken it;
// what it does in another process, the caller waits for.
//
// Pressed at (x, y), moved by (dx, dy) in the move loop, let go.
void DragWithTheMouse(int x, int y, int dx, int dy);
void MoveTheMouse(int x, int y);
void PressTheMouse(bool down);  // the left button down, or up
// Clicks at (x, y), in the middle of a window, or of a box of its client area.
void ClickTheMouse(int x, int y, int clicks = 1);
void ClickTheMouse(HWND window, int clicks = 1);
void ClickTheMouse(HWND window, const RECT& box, int clicks = 1);
// With box given, TypeText returns once the box's text holds the text.
void PressKey(WORD key, bool shift = false, bool ctrl = false, bool alt = false);
void TypeText(const std::wstring& text, HWND box = nullptr);

}  // namespace quillet::test
