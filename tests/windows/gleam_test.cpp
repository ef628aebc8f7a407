// The Gleam control as quillet.exe's manifest hosts it and as VBScript drives it:
// registration, COM identity, events, stream persistence and what it paints.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/units.h"
#include "lantoc_h.h"
#include "tests/support/win_test.h"
#include "tests/support/program_runner.h"
#include "tests/support/test_files.h"
#include "win32/dpi.h"
#include "win32/gleam_host.h"

namespace quillet::test {
namespace {

constexpr DISPID kClick = 1, kKeyPress = 3, kEnabled = 0x68030005, kForeColor = 0x68030004,  // as containers
    kPosX = 0x68030003, kPosY = 0x68030002, kTextColor = 0x68030001, kText = 0x68030000;  // know them

// Lantoc.dll of the build tree, left loaded (objects of a failed test may live on).
FARPROC Lantoc(const char* entry) {
  static const HMODULE module = ::LoadLibraryW((BinDir() + L"\\Lantoc.dll").c_str());
  return module ? ::GetProcAddress(module, entry) : nullptr;
}
HRESULT CanUnloadNow() {
  const auto fn = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(Lantoc("DllCanUnloadNow")));
  return fn ? fn() : E_FAIL;
}

// __Gleam sink on the stack counting references and events, checking each one's arguments.
class FakeSink final : public IDispatch {
 public:
  LONG refs = 0;
  int events[4] = {};        // by event id: [1] Click, [2] Paint, [3] KeyPress
  std::vector<short> keys;   // KeyAscii of each KeyPress, as received
  std::function<void(DISPID)> onEvent;  // runs inside the event

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    *out = riid == IID_IUnknown || riid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    return *out ? (AddRef(), S_OK) : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    EXPECT_TRUE(flags == DISPATCH_METHOD && refs > 0) << "event " << id << " invoked with no reference held";
    EXPECT_TRUE(id >= 1 && id <= 3) << "unknown event " << id;
    if (id < 1 || id > 3) return DISP_E_MEMBERNOTFOUND;
    ++events[id];
    const bool key = params->cArgs == 1 && params->rgvarg[0].vt == (VT_I2 | VT_BYREF);
    EXPECT_TRUE(id == kKeyPress ? key : params->cArgs == 0) << "the arguments of event " << id;
    if (key) keys.push_back(*params->rgvarg[0].piVal);
    if (onEvent) onEvent(id);
    return S_OK;
  }
};

HRESULT Put(IDispatch* d, DISPID id, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  const HRESULT hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                               nullptr, nullptr, nullptr);
  ::VariantClear(&value);
  return hr;
}
std::wstring Get(IDispatch* d, DISPID id) {  // a VT_I4 as "#<decimal>", a VT_BSTR as is, else "<none>"
  VARIANT v{};
  DISPPARAMS none{};
  d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr);
  const std::wstring text = v.vt == VT_I4    ? L"#" + std::to_wstring(v.lVal)
                            : v.vt == VT_BSTR ? std::wstring(v.bstrVal ? v.bstrVal : L"", ::SysStringLen(v.bstrVal))
                                              : L"<none>";
  ::VariantClear(&v);
  return text;
}
std::wstring Long(LONG v) { return L"#" + std::to_wstring(v); }
VARIANT VLong(LONG v) { VARIANT var{}; var.vt = VT_I4; var.lVal = v; return var; }
VARIANT VBool(bool v) { VARIANT var{}; var.vt = VT_BOOL; var.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE; return var; }
VARIANT VText(const wchar_t* text) { VARIANT var{}; var.vt = VT_BSTR; var.bstrVal = ::SysAllocString(text); return var; }

bool ProgIdKnown() { CLSID clsid{}; return SUCCEEDED(::CLSIDFromProgID(L"Lantoc.Gleam", &clsid)); }

HRESULT CreateGleam(REFIID riid, void** out) {
  ProgramManifest manifest;
  return ::CoCreateInstance(CLSID_Gleam, nullptr, CLSCTX_INPROC_SERVER, riid, out);
}

IConnectionPoint* EventPoint(IDispatch* d) {
  IConnectionPointContainer* points = nullptr;
  IConnectionPoint* point = nullptr;
  if (SUCCEEDED(d->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
    points->FindConnectionPoint(DIID___Gleam, &point);
    points->Release();
  }
  return point;
}

// DllInstall for the user and machine-wide: its keys under that root only (machine-wide
// the system registers the type library), VBScript uses every member by name, then all go.
TEST(GleamScript, RegisteredForTheUserOrMachineWideUsedFromVBScriptAndRemovedWhole) {
  const auto install = reinterpret_cast<HRESULT(WINAPI*)(BOOL, PCWSTR)>(reinterpret_cast<void*>(Lantoc("DllInstall")));
  ASSERT_NE(install, nullptr);
  wchar_t clsid[40] = {}, libid[40] = {}, events[40] = {};
  ::StringFromGUID2(CLSID_Gleam, clsid, 40);
  ::StringFromGUID2(LIBID_Lantoc, libid, 40);
  ::StringFromGUID2(DIID___Gleam, events, 40);
  const std::wstring classes = L"Software\\Classes\\", dll = BinDir() + L"\\Lantoc.dll";
  const std::pair<std::wstring, std::wstring> keys[] = {  // each key's default value
      {classes + L"CLSID\\" + clsid + L"\\InprocServer32", dll},
      {classes + L"Lantoc.Gleam\\CLSID", clsid},
      {classes + L"TypeLib\\" + libid + L"\\1.0\\0\\win64", dll},
      {classes + L"Interface\\" + events + L"\\ProxyStubClsid32", L"{00020420-0000-0000-C000-000000000046}"}};
  const auto text = [](HKEY root, const std::wstring& key) {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    return ::RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) ==
                   ERROR_SUCCESS ? std::wstring(value) : std::wstring(L"(none)");
  };
  for (const bool user : {true, false}) {
    const HKEY root = user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    ASSERT_HRESULT_SUCCEEDED(install(TRUE, user ? L"USER" : L""));
    for (int i = 0; i < (user ? 4 : 2); ++i) EXPECT_EQ(text(root, keys[i].first), keys[i].second) << keys[i].first;
    EXPECT_EQ(text(user ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, keys[0].first), L"(none)") << user;
    if (!user) {
      const std::wstring script = DirFromEnv("QUILLET_SOURCE_DIR") + L"\\tests\\windows\\gleam_script.vbs";
      const std::wstring output = ArtifactDir() + L"\\gleam_script.txt";
      const int code = RunCaptured(L"cscript.exe //nologo \"" + script + L"\"", output);
      EXPECT_EQ(code, 0) << ReadBytes(output);
      EXPECT_NE(ReadBytes(output).find("checks done"), std::string::npos) << ReadBytes(output);
    }
    ASSERT_HRESULT_SUCCEEDED(install(FALSE, user ? L"user" : L""));
    for (const auto& [key, value] : keys) EXPECT_EQ(text(root, key), L"(none)") << key;
  }
  EXPECT_FALSE(ProgIdKnown()) << "unregistered";
}

// Every interface reaches every other, with one identity and one count.
TEST(GleamCom, EveryInterfaceSharesOneIdentityAndOneCount) {
  const IID* const kInterfaces[] = {
      &IID_IUnknown, &IID_IDispatch, &IID__Gleam, &IID_IOleObject, &IID_IOleWindow,
      &IID_IOleInPlaceObject, &IID_IOleInPlaceActiveObject, &IID_IOleControl, &IID_IViewObject,
      &IID_IViewObject2, &IID_IPersist, &IID_IPersistStreamInit, &IID_IPersistPropertyBag,
      &IID_IProvideClassInfo, &IID_IProvideClassInfo2, &IID_IConnectionPointContainer};
  IUnknown* unknown = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CreateGleam(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
  ASSERT_EQ(CanUnloadNow(), S_FALSE) << "an object is alive";
  for (const IID* from : kInterfaces) {
    IUnknown* a = nullptr;
    ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(*from, reinterpret_cast<void**>(&a)));
    for (const IID* to : kInterfaces) {
      IUnknown *b = nullptr, *identity = nullptr;
      ASSERT_HRESULT_SUCCEEDED(a->QueryInterface(*to, reinterpret_cast<void**>(&b)));
      ASSERT_HRESULT_SUCCEEDED(b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
      EXPECT_EQ(identity, unknown);
      ASSERT_EQ(identity->Release(), 3u) << "one count for every interface";
      b->Release();
    }
    void* none = &a;
    EXPECT_EQ(a->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    ASSERT_EQ(a->Release(), 1u);
  }
  EXPECT_EQ(unknown->Release(), 0u);
  void* none = &none;  // a creation whose query fails frees the new object: none is left
  EXPECT_EQ(CreateGleam(IID_IClassFactory, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(CanUnloadNow(), S_OK);
}

// A default-sized Gleam from the program's host; afterwards its window is gone, the DLL unloadable.
class GleamTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(manifest_.active());
    dpi_ = win::ScreenDpi();
    w_ = TwipsToPixels(1000, dpi_);
    h_ = TwipsToPixels(300, dpi_);
    host_ = CreateHostWindow(w_ + 40, h_ + 40);
    ASSERT_TRUE(button_.Create(host_, {"Cmd", "Lantoc.Gleam", 300, 300, 1000, 300, {}}, dpi_));
    hwnd_ = button_.hwnd();
    d_ = button_.Dispatch();
    button_.OnClick([this] { ++clicks_; });
    button_.OnPaint([this] { ++paints_; });
    button_.OnKeyPress([this](short& key) { keys_.push_back(key); });
  }
  void TearDown() override {
    button_.Release();
    EXPECT_FALSE(::IsWindow(hwnd_));
    ::DestroyWindow(host_);
    EXPECT_EQ(CanUnloadNow(), S_OK);
  }
  void Send(UINT msg, WPARAM wp, int x, int y = 5) { ::SendMessageW(hwnd_, msg, wp, MAKELPARAM(x, y)); }
  template <typename I>
  I* Query(REFIID iid) {  // the caller releases
    I* p = nullptr;
    EXPECT_HRESULT_SUCCEEDED(d_->QueryInterface(iid, reinterpret_cast<void**>(&p)));
    return p;
  }

  ProgramManifest manifest_;  // active while the button is created
  int dpi_ = 96, w_ = 0, h_ = 0, clicks_ = 0, paints_ = 0;
  std::vector<short> keys_;
  HWND host_ = nullptr, hwnd_ = nullptr;
  IDispatch* d_ = nullptr;
  win::GleamButton button_;
};

TEST_F(GleamTest, ClickOnlyForALeftPressAndReleaseOnTheButtonNeverForAKey) {
  const struct { UINT msg; WPARAM wp; int x; int clicks; } kSteps[] = {
      {WM_LBUTTONDOWN, MK_LBUTTON, 5, 0}, {WM_LBUTTONUP, 0, 6, 1},    // a click
      {WM_LBUTTONDOWN, MK_LBUTTON, 5, 1}, {WM_LBUTTONUP, 0, 500, 1},  // released outside
      {WM_LBUTTONUP, 0, 5, 1},                                        // no press before
      {WM_RBUTTONDOWN, MK_RBUTTON, 5, 1}, {WM_RBUTTONUP, 0, 5, 1},    // right button
      {WM_KEYDOWN, VK_SPACE, 0, 1},       {WM_CHAR, ' ', 0, 1},  {WM_KEYUP, VK_SPACE, 0, 1},
      {WM_KEYDOWN, VK_RETURN, 0, 1},      {WM_CHAR, '\r', 0, 1}, {WM_KEYUP, VK_RETURN, 0, 1}};
  for (const auto& step : kSteps) {
    Send(step.msg, step.wp, step.x);
    EXPECT_EQ(clicks_, step.clicks) << "message " << step.msg << " at x " << step.x;
  }
  EXPECT_NE(::GetCapture(), hwnd_) << "capture released with the last button";
  EXPECT_EQ(keys_, (std::vector<short>{' ', '\r'}));
  auto* active = Query<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
  MSG enter{hwnd_, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_EQ(active->TranslateAccelerator(&enter), S_FALSE);
  active->Release();
  // Frozen events (nested) are not raised; they flow again after the last thaw.
  auto* control = Query<IOleControl>(IID_IOleControl);
  for (const BOOL freeze : {TRUE, TRUE, FALSE}) control->FreezeEvents(freeze);
  ClickAt(hwnd_, 5, 5);
  EXPECT_EQ(clicks_, 1);
  control->FreezeEvents(FALSE);
  ClickAt(hwnd_, 5, 5);
  EXPECT_EQ(clicks_, 2);
  control->Release();
}

TEST_F(GleamTest, SinksSeeTheHostsKeyAsciiAndMayUnadviseThemselvesAndOthersDuringAnEvent) {
  IConnectionPoint* point = EventPoint(d_);
  ASSERT_NE(point, nullptr);
  FakeSink first, second;
  DWORD cookies[2] = {};
  ASSERT_HRESULT_SUCCEEDED(point->Advise(&first, &cookies[0]));
  ASSERT_HRESULT_SUCCEEDED(point->Advise(&second, &cookies[1]));
  // Sinks advised after the host's see KeyAscii as its handler changed it (0 cancels).
  button_.OnKeyPress([](short& key) { key = key == 'a' ? 0 : 'B'; });
  for (const wchar_t ch : {L'a', L'b'}) Send(WM_CHAR, ch, 0);
  EXPECT_EQ(second.keys, (std::vector<short>{0, 'B'}));
  // On Click the first sink unadvises both; the second still gets this
  // Click (it was advised when the event started), then nothing more.
  first.onEvent = [&](DISPID id) {
    if (id != kClick) return;
    for (const DWORD cookie : cookies) EXPECT_HRESULT_SUCCEEDED(point->Unadvise(cookie));
  };
  ClickAt(hwnd_, 5, 5);
  ClickAt(hwnd_, 5, 5);
  EXPECT_EQ(first.events[kClick] + second.events[kClick], 2);
  EXPECT_EQ(first.refs + second.refs, 0);
  EXPECT_EQ(clicks_, 2) << "the host's own sink stays";
  for (const DWORD cookie : cookies) EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  point->Release();
}

// Every put but Enabled raises Paint. A stream two bytes short is refused, leaving the
// properties as they are; the whole stream brings back what was put.
TEST_F(GleamTest, PutsRepaintAndAStreamLoadsWholeOrNotAtAll) {
  const std::pair<DISPID, VARIANT> kPuts[] = {{kForeColor, VLong(0x112233)}, {kPosX, VLong(-5)},
                                              {kPosY, VLong(20)}, {kTextColor, VLong(0xFF)},
                                              {kText, VText(L"\x4E2D\x6587" L"1")}, {kEnabled, VBool(false)}};
  for (const auto& [id, value] : kPuts) {
    const int before = paints_;
    ASSERT_HRESULT_SUCCEEDED(Put(d_, id, value));
    EXPECT_EQ(paints_, before + (id == kEnabled ? 0 : 1)) << "put " << id;
  }
  EXPECT_FALSE(::IsWindowEnabled(hwnd_));
  auto* persist = Query<IPersistStreamInit>(IID_IPersistStreamInit);
  EXPECT_EQ(persist->IsDirty(), S_OK);
  IStream* saved = nullptr;
  ASSERT_HRESULT_SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &saved));
  ASSERT_HRESULT_SUCCEEDED(persist->Save(saved, TRUE));
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  ULARGE_INTEGER size{}, sizeMax{};
  const LARGE_INTEGER start{};
  saved->Seek(start, STREAM_SEEK_END, &size);
  EXPECT_TRUE(SUCCEEDED(persist->GetSizeMax(&sizeMax)) && size.QuadPart == sizeMax.QuadPart);
  ASSERT_HRESULT_SUCCEEDED(persist->InitNew());
  for (const ULONGLONG cut : {2u, 0u}) {
    IStream* part = nullptr;
    ASSERT_HRESULT_SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &part));
    saved->Seek(start, STREAM_SEEK_SET, nullptr);
    saved->CopyTo(part, ULARGE_INTEGER{{static_cast<DWORD>(size.QuadPart - cut), 0}}, nullptr, nullptr);
    part->Seek(start, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(SUCCEEDED(persist->Load(part)), cut == 0) << "cut " << cut;
    part->Release();
    EXPECT_EQ(Get(d_, kForeColor), Long(cut ? 0xC8C8C8 : 0x112233));
    EXPECT_EQ(Get(d_, kPosX), Long(cut ? 100 : -5));
    EXPECT_EQ(Get(d_, kText), cut ? L"" : L"\x4E2D\x6587" L"1");
    EXPECT_EQ(::IsWindowEnabled(hwnd_) != FALSE, cut != 0);
  }
  saved->Release();
  persist->Release();
}

// Each look row by row: a base colour darkened by dc per 5-twip band from the top, or upwards
// from one band above the bottom (the base colour below). The region is rounded to the size.
TEST_F(GleamTest, EveryLookPaintsItsBandsInsideTheRoundedRegion) {
  const auto gradient = [&](Colour c, short dc) {  // ColorGradient(c, bottom to top, dc)
    VARIANT args[3] = {VLong(dc), VBool(false), VLong(static_cast<LONG>(c))};  // reversed
    args[0].vt = VT_I2;
    DISPPARAMS params{args, nullptr, 3, 0};
    EXPECT_HRESULT_SUCCEEDED(d_->Invoke(0x6003000F, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                        &params, nullptr, nullptr, nullptr));
  };
  const struct {
    const wchar_t* name;
    std::function<void()> enter;
    bool onScreen;  // painted on the screen, or rendered through WM_PRINTCLIENT
    Colour base;
    bool topToBottom;
    int dc;
  } kLooks[] = {
      {L"gleam-default", [&] { ::RedrawWindow(host_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); },
       true, 0xC8C8C8, true, 3},
      {L"gleam-colorgradient", [&] { gradient(0x0000FF, 10); }, true, 0x0000FF, false, 10},
      {L"gleam-hover", [&] { Send(WM_MOUSEMOVE, 0, 3); }, false, 0xFFFFFF, true, 3},
      {L"gleam-pressed", [&] { Send(WM_LBUTTONDOWN, MK_LBUTTON, 3); }, false, 0xC8C8C8, false, 3},
      {L"gleam-released-outside", [&] { Send(WM_LBUTTONUP, 0, 900); }, false, 0xFFFFFF, true, 3}};
  const int heightTwips = h_ * 1440 / dpi_;
  for (const auto& look : kLooks) {
    look.enter();
    const Capture cap = look.onScreen ? CaptureWindow(hwnd_) : RenderClient(hwnd_);
    ASSERT_EQ(cap.height, h_);
    // The region leaves out the last row on the screen, as CreateRoundRectRgn does.
    for (int row = 0; row < h_ - (look.onScreen ? 1 : 0); ++row) {
      const int twip = row * 1440 / dpi_;
      const int band = look.topToBottom ? twip / 5 : std::max(0, (heightTwips - 6 - twip) / 5);
      const auto part = [&](int c) { return std::max(0, c - look.dc * band); };
      EXPECT_EQ(cap.At(w_ / 2, row), MakeColour(part(RedOf(look.base)), part(GreenOf(look.base)),
                                                part(BlueOf(look.base))))
          << look.name << ", row " << row;
      EXPECT_TRUE(look.onScreen || cap.At(0, row) == cap.At(w_ - 1, row)) << "a band spans the width";
    }
  }
  HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
  for (const int grow : {0, 450}) {  // twips; a resize replaces the region
    button_.Move(300, 300, 1000 + grow, 300 + grow / 3, dpi_);
    ASSERT_EQ(::GetWindowRgn(hwnd_, probe), COMPLEXREGION);
    const int w = TwipsToPixels(1000 + grow, dpi_), h = TwipsToPixels(300 + grow / 3, dpi_);
    EXPECT_FALSE(::PtInRegion(probe, 0, 0) || ::PtInRegion(probe, w - 1, h - 1)) << "corners cut";
    EXPECT_TRUE(::PtInRegion(probe, w / 2, 0) && ::PtInRegion(probe, w - 2, h / 2)) << w;
  }
  ::DeleteObject(probe);
  // Repaints with a caption and resizes leave no GDI object behind. Wine keeps three more
  // from the second round of resizes on, once: the warm-up cycle holds two rounds.
  button_.SetText("保存1");
  EXPECT_EQ(GdiGrowth([&] { ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }, 200), 0);
  EXPECT_EQ(GdiGrowth([&] { for (int k = 0; k < 14; ++k) button_.Move(300, 300, 1000 + 15 * (k % 7), 300, dpi_); }, 5), 0);
}

RECT RedBox(const Capture& cap) {  // bounding box of the pixels clearly more red than green
  RECT box{INT_MAX, INT_MAX, -1, -1};
  for (int y = 0; y < cap.height; ++y) {
    for (int x = 0; x < cap.width; ++x) {
      if (RedOf(cap.At(x, y)) - GreenOf(cap.At(x, y)) > 60) {
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
               std::max<LONG>(box.bottom, y)};
      }
    }
  }
  return box;
}

TEST_F(GleamTest, CaptionIsDrawnWholeAtItsOffsetAndTenTwipsFurtherWhilePressed) {
  ASSERT_TRUE(button_.SetTextColor(MakeColour(0xFF, 0, 0)) && button_.SetPosition(150, 15));
  const auto caption = [&](const char* utf8) {
    button_.SetText(utf8);
    return RedBox(RenderClient(hwnd_));
  };
  const RECT one = caption("1"), two = caption("保存"), all = caption("保存1");
  ASSERT_GE(one.right, 0);
  EXPECT_NEAR(all.left, TwipsToPixels(150, dpi_), 2);
  EXPECT_GT(two.right - two.left, 13) << "both full-width characters of the 13-pixel font";
  EXPECT_EQ(all.left, two.left);
  EXPECT_GT(all.right - two.right, one.right - one.left) << "and the digit after them";
  // No background box: no pixel among the glyphs takes the text background.
  const Capture normal = RenderClient(hwnd_);
  int background = 0;
  for (int y = all.top; y <= all.bottom; ++y) {
    for (int x = all.left; x <= all.right; ++x) background += normal.At(x, y) == 0xFFFFFFu;
  }
  EXPECT_EQ(background, 0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 3);
  const RECT pressed = RedBox(RenderClient(hwnd_));
  Send(WM_LBUTTONUP, 0, 3);
  EXPECT_EQ(pressed.left - all.left, TwipsToPixels(160, dpi_) - TwipsToPixels(150, dpi_));
  EXPECT_EQ(pressed.top - all.top, TwipsToPixels(25, dpi_) - TwipsToPixels(15, dpi_));
  EXPECT_EQ(pressed.right - pressed.left, all.right - all.left);
}

TEST_F(GleamTest, HoverEndsAtTheFirstTickAfterTheCursorLeftWithoutAMouseMessage) {
  RECT window{};
  ::GetWindowRect(hwnd_, &window);
  ::SetCursorPos(window.left + 5, window.top + 5);
  Send(WM_MOUSEMOVE, 0, 5);
  const auto topRow = [&] { return RenderClient(hwnd_).At(w_ / 2, 0); };
  ASSERT_TRUE(WaitForTicks(hwnd_, 3)) << "no hover ticks";
  EXPECT_EQ(topRow(), 0xFFFFFFu) << "still inside after several ticks: hovering";
  ::SetCursorPos(window.left, window.top + 5);  // the edge counts as outside
  int ticks = 0;
  EXPECT_TRUE(WaitFor([&] { return topRow() == 0xC8C8C8u; }, kWait,
                      [&](const MSG& m) { ticks += m.message == WM_TIMER && m.hwnd == hwnd_; }));
  EXPECT_LE(ticks, 1);
}

TEST(GleamHost, CreatesButtonsOnlyThroughTheManifestAndForwardsTheirEvents) {
  ASSERT_FALSE(ProgIdKnown()) << "Lantoc.Gleam is registered in the test prefix";
  HWND host = CreateHostWindow(300, 200);
  const win::WindowDefinition definition{{
      {"Cmd(0)", "Lantoc.Gleam", 150, 150, 1000, 300,
       {{"Text", std::string("保存")}, {"PosX", std::int32_t{200}}, {"Enabled", true}}},
      {"Cmd(1)", "Lantoc.Gleam", 150, 600, 1200, 450, {{"ForeColor", std::int32_t{0x0000C0}}}},
      {"Cmd(2)", "Lantoc.Nothing", 0, 0, 100, 100, {}}}};
  win::ControlHost buttons;
  EXPECT_FALSE(buttons.Create(host, definition, 96));
  EXPECT_FALSE(buttons.At(0).IsCreated()) << "neither manifest nor registration";
  ProgramManifest manifest;
  ASSERT_TRUE(manifest.active());
  const win::WindowDefinition one{{definition.controls[0]}};
  EXPECT_EQ(GdiGrowth([&] {
              EXPECT_TRUE(buttons.Create(host, one, 96));
              buttons.Release();
            }, 50), 0) << "a button's lifetime leaves GDI objects";
  EXPECT_FALSE(buttons.Create(host, definition, 96)) << "an unknown class fails";
  EXPECT_FALSE(buttons.At(2).IsCreated() || buttons.At(2).hwnd() || buttons.At(2).SetForeColor(0));
  win::GleamButton* save = buttons.Find("Cmd(0)");
  ASSERT_TRUE(save && save->IsCreated() && buttons.At(1).IsCreated());
  IDispatch* d = save->Dispatch();
  // Stored properties from the definition, the rest at their defaults.
  EXPECT_EQ(Get(d, kText), L"\x4FDD\x5B58");
  EXPECT_EQ(Get(d, kPosX) + Get(d, kPosY), L"#200#100");
  EXPECT_EQ(Get(buttons.At(1).Dispatch(), kForeColor), Long(0x0000C0));

  // The second button's Click releases every button, itself included.
  HWND first = save->hwnd(), second = buttons.At(1).hwnd();
  buttons.At(1).OnClick([&] { buttons.Release(); });
  ClickAt(second, 4, 4);
  EXPECT_EQ(buttons.size(), 0u);
  EXPECT_FALSE(::IsWindow(first) || ::IsWindow(second));
  EXPECT_EQ(CanUnloadNow(), S_OK) << "every control is gone";
  ::DestroyWindow(host);
}

}  // namespace
}  // namespace quillet::test
