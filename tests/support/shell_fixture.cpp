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
