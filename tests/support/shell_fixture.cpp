#include "tests/support/shell_fixture.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace quillet::test {

namespace {

void Input(DWORD flags, int x = 0, int y = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {  // the pixel is dx * width / 65536, rounded down
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (x * 65536 + w - 1) / w;
    in.mi.dy = (y * 65536 + h - 1) / h;
  }
  ::SendInput(1, &in, sizeof in);
}

void Key(WORD key, WORD scan, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = key;
  in.ki.wScan = scan;
  in.ki.dwFlags = flags;
  ::SendInput(1, &in, sizeof in);
}

// Also from a thread without a test.
bool SendCursor(int x, int y) {
  Input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  return WaitFor([=] {
    POINT p{};
    return ::GetCursorPos(&p) && p.x == x && p.y == y;
  });
}

void TakeInput(UINT kinds) {
  EXPECT_TRUE(WaitFor([=] { return HIWORD(::GetQueueStatus(kinds)) == 0; })) << "input not taken";
}

}  // namespace

void MoveTheMouse(int x, int y) { EXPECT_TRUE(SendCursor(x, y)) << "the cursor never reached " << x << "," << y; }

void PressTheMouse(bool down) {
  Input(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  TakeInput(QS_MOUSEBUTTON);
}

void ClickTheMouse(int x, int y, int clicks) {
  MoveTheMouse(x, y);
  // Each press and release carries the point too: under Xvfb a late motion
  // event of the display can put the cursor back where it was a moment ago.
  for (int i = 0; i < clicks; ++i) {
    Input(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    Input(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  }
  TakeInput(QS_MOUSEBUTTON);
}

void ClickTheMouse(HWND window, int clicks) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ClickTheMouse((r.left + r.right) / 2, (r.top + r.bottom) / 2, clicks);
}

void ClickTheMouse(HWND window, const RECT& box, int clicks) {
  POINT p{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  ::ClientToScreen(window, &p);
  ClickTheMouse(p.x, p.y, clicks);
}

void PressKey(WORD key, bool shift, bool ctrl, bool alt) {
  if (shift) Key(VK_SHIFT, 0, 0);
  if (ctrl) Key(VK_CONTROL, 0, 0);
  if (alt) Key(VK_MENU, 0, 0);
  Key(key, 0, 0);
  Key(key, 0, KEYEVENTF_KEYUP);
  if (alt) Key(VK_MENU, 0, KEYEVENTF_KEYUP);
  if (ctrl) Key(VK_CONTROL, 0, KEYEVENTF_KEYUP);
  if (shift) Key(VK_SHIFT, 0, KEYEVENTF_KEYUP);
  TakeInput(QS_KEY);
}

void TypeText(const std::wstring& text, HWND box) {
  for (wchar_t c : text) {
    Key(0, c, KEYEVENTF_UNICODE);
    Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
  }
  TakeInput(QS_KEY);
  if (box) {
    EXPECT_TRUE(WaitFor([&] { return ControlText(box).find(text) != std::wstring::npos; }))
        << "typed text never reached the box: " << ControlText(box).size() << " characters there";
  }
}

void DragWithTheMouse(int x, int y, int dx, int dy) {
  MoveTheMouse(x, y);
  const DWORD thread = ::GetCurrentThreadId();
  const auto moving = [thread] {  // the move loop runs on this thread
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
  };
  std::atomic<bool> moved = false, done = false;
  std::thread mover([&] {
    bool ok = WaitFor(moving);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    RECT from{};
    ok = ok && ::GetGUIThreadInfo(thread, &info) && ::GetWindowRect(info.hwndMoveSize, &from);
    // Each step once the window has followed it: let go early, and the loop
    // may end before it took the last one.
    for (int step = 1; ok && step <= 8; ++step) {
      const int sx = dx * step / 8, sy = dy * step / 8;
      ok = SendCursor(x + sx, y + sy) && WaitFor([&] {
        RECT now{};
        return ::GetWindowRect(info.hwndMoveSize, &now) && now.left - from.left == sx && now.top - from.top == sy;
      });
    }
    moved = ok;
    Input(MOUSEEVENTF_LEFTUP);
    done = WaitFor([&] { return !moving(); });
  });
  Input(MOUSEEVENTF_LEFTDOWN);
  WaitFor([&] { return done.load(); });
  mover.join();
  EXPECT_TRUE(moved && done) << "no move loop ran for the press, or it never ended";
}

}  // namespace quillet::test
