#include "tests/support/win_test.h"

#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

#include "win32/handles.h"
#include "win32/paint.h"
#include "win32/text.h"

namespace quillet::test {

std::wstring DirFromEnv(const char* variable) {
  const char* value = std::getenv(variable);
  if (!value || !*value) return {};
  std::wstring path = win::Widen(value);
  if (path[0] == L'/') path = L"Z:" + path;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::wstring BinDir() { return DirFromEnv("QUILLET_BIN_DIR"); }

std::wstring ArtifactDir() {
  std::wstring dir = DirFromEnv("QUILLET_ARTIFACT_DIR");
  if (dir.empty()) dir = L".";
  ::CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

Colour Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
  const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
  return MakeColour((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Capture RenderWith(int w, int h, const std::function<void(HDC)>& draw) {
  Capture cap;
  if (w <= 0 || h <= 0) return cap;
  void* bits = nullptr;
  win::Bitmap dib = win::CreateTopDownDib(w, h, &bits);
  win::MemoryDc memory(::CreateCompatibleDC(nullptr));
  if (!dib || !memory) return cap;
  {
    win::SelectScope select(memory.get(), dib.get());
    draw(memory.get());
    ::GdiFlush();
  }
  const auto* p = static_cast<const std::uint32_t*>(bits);
  cap.width = w;
  cap.height = h;
  cap.pixels.assign(p, p + static_cast<std::size_t>(w) * h);
  for (auto& px : cap.pixels) px &= 0xFFFFFF;
  return cap;
}

Capture CaptureWindow(HWND hwnd) {
  RECT r{};
  if (!::GetWindowRect(hwnd, &r) || r.right <= r.left || r.bottom <= r.top) return {};
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  const bool ours = pid == ::GetCurrentProcessId();
  // Our own windows through the window DC; another process's from the screen.
  win::WindowDc source(ours ? hwnd : nullptr, ours);
  return RenderWith(r.right - r.left, r.bottom - r.top, [&](HDC memory) {
    ::BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, source.get(), ours ? 0 : r.left,
             ours ? 0 : r.top, SRCCOPY);
  });
}

Capture RenderClient(HWND hwnd) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  return RenderWith(r.right, r.bottom, [hwnd](HDC memory) {
    ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  });
}

Capture RenderText(HFONT font, const std::wstring& text, int w, int h) {
  return RenderWith(w, h, [&](HDC dc) {
    ::PatBlt(dc, 0, 0, w, h, WHITENESS);  // the DC's own background is white too
    win::SelectScope select(dc, font);
    ::TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
  });
}

std::wstring SaveCapture(const Capture& cap, const std::wstring& name) {
  if (cap.pixels.empty()) return {};
  const std::wstring path = ArtifactDir() + L"\\" + name + L".png";
  std::vector<BYTE> rows;  // 24-bit BGR, rows of whole pixels
  for (const std::uint32_t p : cap.pixels) rows.insert(rows.end(), {BYTE(p), BYTE(p >> 8), BYTE(p >> 16)});
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  const bool saved =
      SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
      SUCCEEDED(factory->CreateStream(&stream)) && SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
      SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
      SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
      SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
      SUCCEEDED(frame->SetSize(UINT(cap.width), UINT(cap.height))) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
      format == GUID_WICPixelFormat24bppBGR &&
      SUCCEEDED(frame->WritePixels(UINT(cap.height), UINT(cap.width * 3), UINT(rows.size()), rows.data())) &&
      SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  for (IUnknown* p : std::initializer_list<IUnknown*>{frame, encoder, stream, factory}) {
    if (p) p->Release();
  }
  return saved ? path : std::wstring();
}

std::wstring SaveScreenshot(HWND hwnd, const std::wstring& name) {
  return SaveCapture(CaptureWindow(hwnd), name);
}

void SaveScreenshotsOfProcess(const std::wstring& prefix) {
  int index = 0;
  for (HWND hwnd : TopLevelWindows(::GetCurrentProcessId())) {
    if (::IsWindowVisible(hwnd)) SaveScreenshot(hwnd, prefix + L"-" + std::to_wstring(index++));
  }
}

void SaveRedrawnScreenshot(HWND hwnd, const std::wstring& name) {
  // Another process's picture reaches the screen a moment after it paints.
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Capture shot = CaptureWindow(hwnd);
  auto since = std::chrono::steady_clock::now();
  WaitFor([&] {
    Capture again = CaptureWindow(hwnd);
    if (again.pixels != shot.pixels) {
      shot = std::move(again);
      since = std::chrono::steady_clock::now();
    }
    return std::chrono::steady_clock::now() - since >= std::chrono::milliseconds(100);
  });
  SaveCapture(shot, name);
}

void DrainMessages() {
  constexpr UINT kMarker = WM_APP + 0x3A5;
  ::PostThreadMessageW(::GetCurrentThreadId(), kMarker, 0, 0);
  bool back = false;
  EXPECT_TRUE(WaitFor([&] { return back; }, kWait, [&](const MSG& m) { back |= !m.hwnd && m.message == kMarker; }));
}

bool WaitForTicks(HWND window, int count) {
  int ticks = 0;
  return WaitFor([&] { return ticks >= count; }, kWait,
                 [&](const MSG& m) { ticks += m.message == WM_TIMER && m.hwnd == window; });
}

std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* caption) {
  std::vector<HWND> all;
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> found;
  for (HWND hwnd : all) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    wchar_t text[128] = {};
    ::GetWindowTextW(hwnd, text, 128);
    if (owner == pid && (!caption || std::wstring(text) == caption)) found.push_back(hwnd);
  }
  return found;
}

void ClickAt(HWND hwnd, int x, int y) {
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::wstring ControlText(HWND control) {
  std::wstring text(static_cast<std::size_t>(::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

HWND FocusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

namespace {
// The GDI handle table (x64): 0x10000 entries of 24 bytes, the type at byte
// 14 (0: a free slot).
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable, x64
}  // namespace

int GdiObjectCount(HANDLE process) {
  using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  void* basic[6] = {};  // PROCESS_BASIC_INFORMATION; [1] is the PEB's address
  std::uint64_t table = 0;
  static std::vector<std::uint8_t> entries(0x10000 * kGdiEntrySize);
  if (!query || query(process, 0, basic, sizeof basic, nullptr) != 0 ||
      !::ReadProcessMemory(process, static_cast<char*>(basic[1]) + kPebGdiTableOffset, &table,
                           sizeof table, nullptr) ||
      !table ||
      !::ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(),
                           entries.size(), nullptr)) {
    return -1;
  }
  int count = 0;
  for (std::size_t at = 14; at < entries.size(); at += kGdiEntrySize) count += entries[at] != 0;
  return count;
}

int GdiGrowth(const std::function<void()>& cycle, int times) {
  HANDLE self = ::GetCurrentProcess();
  const int empty = GdiObjectCount(self);
  HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
  const int withBrush = GdiObjectCount(self);
  ::DeleteObject(brush);
  EXPECT_TRUE(empty >= 0 && withBrush == empty + 1 && GdiObjectCount(self) == empty)
      << "the GDI handle table does not show this process's objects";
  cycle();
  DrainMessages();
  const int before = GdiObjectCount(self);
  for (int i = 0; i < times; ++i) cycle();
  DrainMessages();
  return GdiObjectCount(self) - before;
}

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
