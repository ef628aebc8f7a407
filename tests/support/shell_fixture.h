// A fixture for tests that run the shell's windows in the test process:
// the program's manifest active (so Lantoc.Gleam is found as the program
// finds it), the first-run settings with docking off, a fresh program
// folder, and every window unloaded afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "forms/form_win.h"
#include "forms/shared_state.h"
#include "settings/default_settings.h"
#include "tests/support/win_test.h"
#include "tests/support/test_files.h"
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
    SaveSettingsAtExit = true;
    InitSharedState();
  }
  void TearDown() override { UnloadFormsExcept(nullptr); }

  static inline std::unique_ptr<ProgramManifest> manifest_;
  TempFolder folder_;
};

// Real input. Each helper returns once the input has been taken: the cursor
// is where it was sent, and this thread has handled what came to its own
// windows. What the input does in another process, the caller waits for.
//
// The left button pressed at (x, y) on the screen, the cursor moved by
// (dx, dy) in eight steps once the window manager's move loop runs on this
// thread, let go at the end.
void DragWithTheMouse(int x, int y, int dx, int dy);
// The cursor moved to (x, y) on the screen.
void MoveTheMouse(int x, int y);
// The left button pressed where the cursor is (down true) or let go.
void PressTheMouse(bool down);
// Clicks (1 or 2) of the left button at (x, y) on the screen, in the
// middle of a window, or in the middle of a box of its client area.
void ClickTheMouse(int x, int y, int clicks = 1);
void ClickTheMouse(HWND window, int clicks = 1);
void ClickTheMouse(HWND window, const RECT& box, int clicks = 1);
// A key pressed and let go, with Shift and/or Ctrl held; the characters of
// a text typed as Unicode input, with the box they go to: then it returns
// once the box's text holds them.
void PressKey(WORD key, bool shift = false, bool ctrl = false);
void TypeText(const std::wstring& text, HWND box = nullptr);

}  // namespace quillet::test
