#include "tests/support/gleam_test_support.h"

namespace quillet::test {

HWND CreateHostWindow(int width, int height) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"GleamTestHost";
  ::RegisterClassExW(&wc);  // fails harmlessly from the second window on
  RECT r{0, 0, width, height};
  ::AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, 0);
  HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Gleam host",
                                WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                wc.hInstance, nullptr);
  ::SetForegroundWindow(hwnd);
  ::UpdateWindow(hwnd);
  return hwnd;
}

ProgramManifest::ProgramManifest() : exe_(BinDir() + L"\\quillet.exe"), dir_(BinDir()) {
  ACTCTXW ctx{};
  ctx.cbSize = sizeof ctx;
  ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_ASSEMBLY_DIRECTORY_VALID;
  ctx.lpSource = exe_.c_str();
  ctx.lpResourceName = MAKEINTRESOURCEW(1);
  ctx.lpAssemblyDirectory = dir_.c_str();
  context_ = ::CreateActCtxW(&ctx);
  if (context_ != INVALID_HANDLE_VALUE) active_ = ::ActivateActCtx(context_, &cookie_) != FALSE;
}

ProgramManifest::~ProgramManifest() {
  if (active_) ::DeactivateActCtx(0, cookie_);
  if (context_ != INVALID_HANDLE_VALUE) ::ReleaseActCtx(context_);
}

}  // namespace quillet::test
