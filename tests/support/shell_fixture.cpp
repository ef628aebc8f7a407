#include "tests/support/shell_fixture.h"

#include <windows.h>

#include <thread>

#include "tests/support/win_test.h"

namespace quillet::test {

namespace {

void Input(DWORD flags, int x = 0, int y = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    in.mi.dx = x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  ::SendInput(1, &in, sizeof in);
}

}  // namespace

void MoveTheMouse(int x, int y) { Input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y); }

void PressTheMouse(bool down) {
  Input(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  WaitFor([] { return false; }, std::chrono::milliseconds(60));
}

void ClickTheMouse(int x, int y, int clicks) {
  MoveTheMouse(x, y);
  WaitFor([] { return false; }, std::chrono::milliseconds(60));
  for (int i = 0; i < clicks; ++i) {
    Input(MOUSEEVENTF_LEFTDOWN);
    Input(MOUSEEVENTF_LEFTUP);
  }
  WaitFor([] { return false; }, std::chrono::milliseconds(150));
}

void ClickTheMouse(HWND window, int clicks) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ClickTheMouse((r.left + r.right) / 2, (r.top + r.bottom) / 2, clicks);
}

POINT BoxCentre(HWND window, const RECT& box) {
  POINT p{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  ::ClientToScreen(window, &p);
  return p;
}

void ClickTheMouse(HWND window, const RECT& box, int clicks) {
  const POINT p = BoxCentre(window, box);
  ClickTheMouse(p.x, p.y, clicks);
}

namespace {
void Key(WORD key, WORD scan, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = key;
  in.ki.wScan = scan;
  in.ki.dwFlags = flags;
  ::SendInput(1, &in, sizeof in);
}
}  // namespace

void PressKey(WORD key, bool shift, bool ctrl) {
  if (shift) Key(VK_SHIFT, 0, 0);
  if (ctrl) Key(VK_CONTROL, 0, 0);
  Key(key, 0, 0);
  Key(key, 0, KEYEVENTF_KEYUP);
  if (ctrl) Key(VK_CONTROL, 0, KEYEVENTF_KEYUP);
  if (shift) Key(VK_SHIFT, 0, KEYEVENTF_KEYUP);
  WaitFor([] { return false; }, std::chrono::milliseconds(100));
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    Key(0, c, KEYEVENTF_UNICODE);
    Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
  }
  WaitFor([] { return false; }, std::chrono::milliseconds(100));
}

void DragWithTheMouse(int x, int y, int dx, int dy) {
  ::SetCursorPos(x, y);
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  std::thread mover([=] {
    ::Sleep(300);
    for (int step = 1; step <= 8; ++step) {
      Input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x + dx * step / 8, y + dy * step / 8);
      ::Sleep(30);
    }
    ::Sleep(100);
    Input(MOUSEEVENTF_LEFTUP);
  });
  Input(MOUSEEVENTF_LEFTDOWN);
  // The press reaches the window here, and its drag loop runs inside.
  WaitFor([] { return false; }, std::chrono::milliseconds(1200));
  mover.join();
  WaitFor([] { return false; }, std::chrono::milliseconds(100));
}

}  // namespace quillet::test
