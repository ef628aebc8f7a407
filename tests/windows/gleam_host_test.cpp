// Gleam in its containers: the program's control host (buttons created by
// class name from a window definition, found through the program's embedded
// manifest or through a registration in the test prefix), the ATL host
// window class of atl.dll, and VBScript run by cscript.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include "base/units.h"
#include "lantoc_h.h"
#include "tests/support/gleam_test_support.h"
#include "tests/support/program_runner.h"
#include "tests/support/test_files.h"
#include "win32/gleam_host.h"

namespace quillet::test {
namespace {

bool ProgIdKnown() {
  CLSID clsid{};
  return SUCCEEDED(::CLSIDFromProgID(L"Lantoc.Gleam", &clsid));
}

CLSID ClassOf(const win::GleamButton& button) {
  CLSID clsid = GUID_NULL;
  IPersist* persist = nullptr;
  if (button.Dispatch() &&
      SUCCEEDED(button.Dispatch()->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)))) {
    persist->GetClassID(&clsid);
    persist->Release();
  }
  return clsid;
}

const win::WindowDefinition kDefinition{{
    {"Cmd(0)", "Lantoc.Gleam", 150, 150, 1000, 300,
     {{"Text", std::string("\xE4\xBF\x9D\xE5\xAD\x98")},  // 保存
      {"PosX", std::int32_t{200}},
      {"Enabled", true}}},
    {"Cmd(1)", "Lantoc.Gleam", 150, 600, 1200, 450, {{"ForeColor", std::int32_t{0x0000C0}}}},
}};

class GleamHost : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Library().loaded());
    Library().Unregister();  // a registration left by another test must not help
    ASSERT_FALSE(ProgIdKnown()) << "Lantoc.Gleam is registered in the test prefix";
    host_ = CreateHostWindow(300, 200);
    ASSERT_NE(host_, nullptr);
  }
  void TearDown() override {
    buttons_.Release();
    if (host_) ::DestroyWindow(host_);
    EXPECT_EQ(Library().CanUnloadNow(), S_OK) << "every button was released";
  }
  HWND host_ = nullptr;
  win::ControlHost buttons_;
};

TEST_F(GleamHost, CreatesButtonsFromTheDefinitionThroughTheProgramManifest) {
  ProgramManifest manifest;
  ASSERT_TRUE(manifest.active());
  ASSERT_TRUE(buttons_.Create(host_, kDefinition, 96));
  ASSERT_EQ(buttons_.size(), 2u);
  win::GleamButton* save = buttons_.Find("Cmd(0)");
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(save->IsCreated());
  // The per-process CLSID of the manifest differs from ours; the object is ours.
  EXPECT_TRUE(ClassOf(*save) == CLSID_Gleam);

  // Placed by twips at the given DPI, as a child of the window.
  EXPECT_EQ(::GetParent(save->hwnd()), host_);
  RECT r{};
  ::GetWindowRect(save->hwnd(), &r);
  ::MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right - r.left, 67);
  EXPECT_EQ(r.bottom - r.top, 20);

  // Stored properties from the definition; the rest at their defaults.
  VARIANT v;
  ASSERT_TRUE(save->GetProperty(win::gleam_dispid::kText, &v));
  EXPECT_STREQ(v.bstrVal, L"\x4FDD\x5B58");
  ::VariantClear(&v);
  ASSERT_TRUE(save->GetProperty(win::gleam_dispid::kPosX, &v));
  EXPECT_EQ(v.lVal, 200);
  ASSERT_TRUE(save->GetProperty(win::gleam_dispid::kPosY, &v));
  EXPECT_EQ(v.lVal, 100);
  ASSERT_TRUE(buttons_.At(1).GetProperty(win::gleam_dispid::kForeColor, &v));
  EXPECT_EQ(v.lVal, 0x0000C0);

  // Colours set by dispatch identifier, as every window does on load.
  ASSERT_TRUE(save->SetForeColor(MakeColour(0x10, 0x80, 0xF0)));
  ASSERT_TRUE(save->SetTextColor(MakeColour(0xFF, 0, 0)));
  ASSERT_TRUE(save->GetProperty(win::gleam_dispid::kForeColor, &v));
  EXPECT_EQ(v.lVal, static_cast<LONG>(MakeColour(0x10, 0x80, 0xF0)));
  const Capture cap = RenderClient(save->hwnd());
  EXPECT_EQ(cap.At(40, 0), MakeColour(0x10, 0x80, 0xF0));
  SaveRedrawnScreenshot(host_, L"gleam-host");
}

TEST_F(GleamHost, ForwardsClickAndKeyPressAndMayBeReleasedFromAClick) {
  ProgramManifest manifest;
  ASSERT_TRUE(buttons_.Create(host_, kDefinition, 96));
  win::GleamButton& first = buttons_.At(0);
  int clicks = 0;
  first.OnClick([&] { ++clicks; });
  short seen = 0;
  first.OnKeyPress([&](short& key) { seen = key; });
  HWND button = first.hwnd();
  ClickAt(button, 4, 4);
  EXPECT_EQ(clicks, 1);
  ::SendMessageW(button, WM_CHAR, 'a', 0);
  EXPECT_EQ(seen, 'a');
  EXPECT_EQ(clicks, 1);

  // The second button's Click closes everything, itself included.
  HWND second = buttons_.At(1).hwnd();
  buttons_.At(1).OnClick([&] { buttons_.Release(); });
  ClickAt(second, 4, 4);
  EXPECT_EQ(buttons_.size(), 0u);
  EXPECT_FALSE(::IsWindow(second));
  EXPECT_FALSE(::IsWindow(button));
}

TEST_F(GleamHost, AnUnknownClassFailsCleanly) {
  ProgramManifest manifest;
  win::WindowDefinition bad = kDefinition;
  bad.controls[1].progId = "Lantoc.Nothing";
  EXPECT_FALSE(buttons_.Create(host_, bad, 96));
  EXPECT_TRUE(buttons_.At(0).IsCreated());
  EXPECT_FALSE(buttons_.At(1).IsCreated());
  EXPECT_EQ(buttons_.At(1).hwnd(), nullptr);
  EXPECT_FALSE(buttons_.At(1).SetForeColor(0));
}

TEST_F(GleamHost, WithoutTheManifestARegisteredCopyServesAndUnregisteringRemovesIt) {
  EXPECT_FALSE(buttons_.Create(host_, kDefinition, 96)) << "neither manifest nor registration";
  buttons_.Release();
  ASSERT_HRESULT_SUCCEEDED(Library().Register());
  CLSID clsid{};
  ASSERT_HRESULT_SUCCEEDED(::CLSIDFromProgID(L"Lantoc.Gleam", &clsid));
  EXPECT_TRUE(clsid == CLSID_Gleam);
  ITypeLib* lib = nullptr;
  EXPECT_HRESULT_SUCCEEDED(::LoadRegTypeLib(LIBID_Lantoc, 1, 0, 0, &lib));
  if (lib) lib->Release();
  EXPECT_TRUE(buttons_.Create(host_, kDefinition, 96));
  EXPECT_TRUE(ClassOf(buttons_.At(0)) == CLSID_Gleam);
  buttons_.Release();
  ASSERT_HRESULT_SUCCEEDED(Library().Unregister());
  EXPECT_FALSE(ProgIdKnown());
  HKEY key = nullptr;
  EXPECT_NE(::RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            L"Software\\Classes\\CLSID\\{D2DC25A9-4F7E-441C-9443-B4221EA3055D}", 0,
                            KEY_READ, &key),
            ERROR_SUCCESS);
  if (key) ::RegCloseKey(key);
}

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

TEST(GleamInterop, LivesInTheAtlHostWindow) {
  ASSERT_TRUE(Library().loaded());
  HMODULE atl = ::LoadLibraryW(L"atl.dll");
  ASSERT_NE(atl, nullptr);
  auto axInit = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxWinInit")));
  auto axGetControl = reinterpret_cast<AtlAxGetControlFn>(
      reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxGetControl")));
  ASSERT_NE(axInit, nullptr);
  ASSERT_NE(axGetControl, nullptr);
  ASSERT_TRUE(axInit());

  ProgramManifest manifest;  // the ProgID is found as the program finds it
  ASSERT_TRUE(manifest.active());
  HWND host = CreateHostWindow(200, 100);
  ASSERT_NE(host, nullptr);
  HWND ax = ::CreateWindowExW(0, L"AtlAxWin", L"Lantoc.Gleam", WS_CHILD | WS_VISIBLE, 10, 10, 67,
                              20, host, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(ax, nullptr);
  IUnknown* unknown = nullptr;
  ASSERT_HRESULT_SUCCEEDED(axGetControl(ax, &unknown));
  ASSERT_NE(unknown, nullptr);

  IPersist* persist = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)));
  CLSID clsid{};
  persist->GetClassID(&clsid);
  persist->Release();
  EXPECT_TRUE(clsid == CLSID_Gleam);

  // Found by name through the type library, set, and painted in place.
  IDispatch* d = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)));
  DISPID foreColor = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"ForeColor");
  ASSERT_HRESULT_SUCCEEDED(d->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &foreColor));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, foreColor, LongArg(0x00A0FF)));
  VARIANT text = TextArg(L"ATL");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, 0x68030000, text));
  ::VariantClear(&text);

  IOleWindow* window = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)));
  HWND button = nullptr;
  ASSERT_HRESULT_SUCCEEDED(window->GetWindow(&button));
  window->Release();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(::GetParent(button), ax);
  EXPECT_EQ(RenderClient(button).At(20, 0), 0x00A0FFu);

  // Its events reach a sink advised through the container's control.
  FakeSink sink(DIID___Gleam);
  IConnectionPointContainer* points = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)));
  IConnectionPoint* point = nullptr;
  ASSERT_HRESULT_SUCCEEDED(points->FindConnectionPoint(DIID___Gleam, &point));
  points->Release();
  DWORD cookie = 0;
  ASSERT_HRESULT_SUCCEEDED(point->Advise(&sink, &cookie));
  ClickAt(button, 4, 4);
  EXPECT_EQ(sink.clicks, 1);
  point->Unadvise(cookie);
  point->Release();
  EXPECT_EQ(sink.refs(), 0);

  SaveRedrawnScreenshot(host, L"gleam-atl");
  d->Release();
  unknown->Release();
  ::DestroyWindow(ax);
  EXPECT_FALSE(::IsWindow(button)) << "the ATL host released the control with its window";
  ::DestroyWindow(host);
}

TEST(GleamInterop, VBScriptCreatesItByNameAndUsesEveryMember) {
  ASSERT_TRUE(Library().loaded());
  // The registration goes into the test prefix, as regsvr32 would do it.
  ASSERT_HRESULT_SUCCEEDED(Library().Register());
  const std::wstring script = DirFromEnv("QUILLET_SOURCE_DIR") + L"\\tests\\windows\\gleam_script.vbs";
  const std::wstring output = ArtifactDir() + L"\\gleam_script.txt";
  const int code = RunCaptured(L"cscript.exe //nologo \"" + script + L"\"", output);
  const std::string printed = ReadBytes(output);
  EXPECT_HRESULT_SUCCEEDED(Library().Unregister());
  EXPECT_EQ(code, 0) << printed;
  EXPECT_NE(printed.find("checks done"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("FAIL"), std::string::npos) << printed;
}

}  // namespace
}  // namespace quillet::test
