// The Gleam control as a COM object in a fake container: interface rules,
// automation by name and by dispatch identifier, events, persistence and
// the library's unload rule.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "lantoc_h.h"
#include "tests/support/gleam_test_support.h"
#include "win32/gleam_host.h"

namespace quillet::test {
namespace {

using namespace win::gleam_dispid;

const IID* const kInterfaces[] = {
    &IID_IUnknown,         &IID_IDispatch,           &IID__Gleam,
    &IID_IOleObject,       &IID_IOleWindow,          &IID_IOleInPlaceObject,
    &IID_IOleInPlaceActiveObject, &IID_IOleControl,  &IID_IViewObject,
    &IID_IViewObject2,     &IID_IPersist,            &IID_IPersistStreamInit,
    &IID_IPersistPropertyBag, &IID_IProvideClassInfo, &IID_IProvideClassInfo2,
    &IID_IConnectionPointContainer};

TEST(GleamCom, QueryInterfaceKeepsOneIdentityAndOneCount) {
  ASSERT_TRUE(Library().loaded());
  IUnknown* unknown = nullptr;
  ASSERT_HRESULT_SUCCEEDED(Library().Create(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
  EXPECT_EQ(Library().CanUnloadNow(), S_FALSE) << "an object is alive";

  for (const IID* from : kInterfaces) {
    IUnknown* a = nullptr;
    ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(*from, reinterpret_cast<void**>(&a)));
    // Identity: IUnknown from any interface is the same pointer.
    IUnknown* identity = nullptr;
    ASSERT_HRESULT_SUCCEEDED(a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    EXPECT_EQ(identity, unknown);
    identity->Release();
    // Symmetric and transitive: every interface is reachable from every other.
    for (const IID* to : kInterfaces) {
      IUnknown* b = nullptr;
      EXPECT_HRESULT_SUCCEEDED(a->QueryInterface(*to, reinterpret_cast<void**>(&b)));
      if (b) {
        IUnknown* back = nullptr;
        EXPECT_HRESULT_SUCCEEDED(b->QueryInterface(*from, reinterpret_cast<void**>(&back)));
        if (back) back->Release();
        b->Release();
      }
    }
    // Not offered: failure nulls the out pointer.
    void* none = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(a->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    a->Release();
  }
  // One count for all interfaces: AddRef through one, Release through another.
  IOleObject* ole = nullptr;
  ASSERT_HRESULT_SUCCEEDED(unknown->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)));
  EXPECT_EQ(ole->AddRef(), 3u);
  EXPECT_EQ(unknown->Release(), 2u);
  EXPECT_EQ(ole->Release(), 1u);
  EXPECT_EQ(unknown->Release(), 0u);
  EXPECT_EQ(Library().CanUnloadNow(), S_OK);
  // A creation whose query fails frees the new object.
  void* none = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(Library().Create(IID_IClassFactory, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(Library().CanUnloadNow(), S_OK);
}

// Every property set and read by name, DesaltColor and vRGB are driven from
// VBScript in gleam_host_test; here the fixed dispatch identifiers and the
// variant types a compiled container sees.
TEST(GleamCom, AutomationByDispatchIdentifier) {
  IDispatch* d = nullptr;
  ASSERT_HRESULT_SUCCEEDED(Library().Create(IID_IDispatch, reinterpret_cast<void**>(&d)));
  const std::pair<const wchar_t*, DISPID> names[] = {
      {L"Enabled", 0x68030005},       {L"ForeColor", 0x68030004},   {L"PosX", 0x68030003},
      {L"PosY", 0x68030002},          {L"TextColor", 0x68030001},   {L"Text", 0x68030000},
      {L"ColorGradient", 0x6003000F}, {L"DesaltColor", 0x60030010}, {L"vRGB", 0x60030011},
      {L"desaltcolor", 0x60030010}};
  for (const auto& [text, expected] : names) {
    DISPID id = 0;
    auto* name = const_cast<LPOLESTR>(text);
    EXPECT_HRESULT_SUCCEEDED(d->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)) << text;
    EXPECT_EQ(id, expected) << text;
  }
  VARIANT v;  // long properties are VT_I4, as LongProperty checks
  ASSERT_HRESULT_SUCCEEDED(GetProperty(d, kEnabled, &v));
  EXPECT_EQ(v.vt, VT_BOOL);
  ASSERT_HRESULT_SUCCEEDED(GetProperty(d, kText, &v));
  EXPECT_EQ(v.vt, VT_BSTR);
  ::VariantClear(&v);
  VARIANT text = TextArg(L"\x4E2D\x6587" L"1");
  EXPECT_HRESULT_SUCCEEDED(PutProperty(d, kText, text));
  ::VariantClear(&text);
  ASSERT_HRESULT_SUCCEEDED(GetProperty(d, kText, &v));
  EXPECT_STREQ(v.bstrVal, L"\x4E2D\x6587" L"1");
  ::VariantClear(&v);
  // A script hands a 16-bit integer where a long is declared: converted.
  VARIANT shortArg;
  ::VariantInit(&shortArg);
  shortArg.vt = VT_I2;
  shortArg.iVal = 77;
  EXPECT_HRESULT_SUCCEEDED(PutProperty(d, kPosX, shortArg));
  EXPECT_EQ(LongProperty(d, kPosX), 77);

  // Methods: arguments go in reverse order in DISPPARAMS; vRGB gives a byte.
  VARIANT args[3] = {};
  args[1] = LongArg(0x123456);
  args[0] = TextArg(L"x");
  DISPPARAMS params{args, nullptr, 2, 0};
  VARIANT result;
  ::VariantInit(&result);
  ASSERT_HRESULT_SUCCEEDED(d->Invoke(0x60030011, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                     &params, &result, nullptr, nullptr));
  EXPECT_EQ(result.vt, VT_UI1);
  EXPECT_EQ(result.bVal, 0x12);
  ::VariantClear(&args[0]);
  // ColorGradient before activation has no surface and draws nothing.
  args[2] = LongArg(0xC8C8C8);
  args[1] = BoolArg(true);
  args[0].vt = VT_I2;
  args[0].iVal = 3;
  params.cArgs = 3;
  EXPECT_HRESULT_SUCCEEDED(d->Invoke(0x6003000F, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                     &params, nullptr, nullptr, nullptr));
  EXPECT_EQ(d->Release(), 0u);
}

TEST(GleamCom, ClassInfoNamesTheEventInterface) {
  IProvideClassInfo2* info = nullptr;
  ASSERT_HRESULT_SUCCEEDED(Library().Create(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info)));
  GUID events{};
  ASSERT_HRESULT_SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events));
  EXPECT_TRUE(events == DIID___Gleam);
  ITypeInfo* coclass = nullptr;
  ASSERT_HRESULT_SUCCEEDED(info->GetClassInfo(&coclass));
  TYPEATTR* attr = nullptr;
  ASSERT_HRESULT_SUCCEEDED(coclass->GetTypeAttr(&attr));
  EXPECT_EQ(attr->typekind, TKIND_COCLASS);
  EXPECT_TRUE(attr->guid == CLSID_Gleam);
  coclass->ReleaseTypeAttr(attr);
  coclass->Release();
  EXPECT_EQ(info->Release(), 0u);
}

// A Gleam sited and in-place active in a fake container.
class ActiveGleam : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Library().loaded());
    host_ = CreateHostWindow(200, 100);
    ASSERT_NE(host_, nullptr);
    site_ = std::make_unique<FakeSite>(host_, RECT{10, 10, 77, 30});
    ASSERT_HRESULT_SUCCEEDED(Library().Create(IID_IOleObject, reinterpret_cast<void**>(&ole_)));
    ASSERT_HRESULT_SUCCEEDED(ole_->SetClientSite(site_.get()));
    IPersistStreamInit* persist = nullptr;
    ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)));
    ASSERT_HRESULT_SUCCEEDED(persist->InitNew());
    persist->Release();
    ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_)));
    sink_ = std::make_unique<FakeSink>(DIID___Gleam);
    IConnectionPointContainer* points = nullptr;
    ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)));
    EXPECT_EQ(points->FindConnectionPoint(IID_IDispatch, &point_), CONNECT_E_NOCONNECTION);
    ASSERT_HRESULT_SUCCEEDED(points->FindConnectionPoint(DIID___Gleam, &point_));
    points->Release();
    ASSERT_HRESULT_SUCCEEDED(point_->Advise(sink_.get(), &cookie_));
    EXPECT_GT(sink_->refs(), 0);
    RECT pos{10, 10, 77, 30};
    ASSERT_HRESULT_SUCCEEDED(ole_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, host_, &pos));
    IOleWindow* window = nullptr;
    ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)));
    window->GetWindow(&button_);
    window->Release();
    ASSERT_NE(button_, nullptr);
    EXPECT_EQ(::GetParent(button_), host_);
    EXPECT_EQ(site_->activations, 1);
  }

  void TearDown() override {
    if (point_) {
      if (cookie_) point_->Unadvise(cookie_);
      point_->Release();
    }
    if (dispatch_) dispatch_->Release();
    if (ole_) {
      IOleInPlaceObject* inPlace = nullptr;
      if (SUCCEEDED(ole_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        EXPECT_HRESULT_SUCCEEDED(inPlace->InPlaceDeactivate());
        inPlace->Release();
      }
      EXPECT_HRESULT_SUCCEEDED(ole_->Close(OLECLOSE_NOSAVE));
      EXPECT_HRESULT_SUCCEEDED(ole_->SetClientSite(nullptr));
      EXPECT_EQ(ole_->Release(), 0u) << "the final Release frees the control";
    }
    if (site_) {
      EXPECT_EQ(site_->refs(), 0) << "the control let go of its site";
      EXPECT_EQ(site_->deactivations, site_->activations);
    }
    if (sink_) {
      EXPECT_EQ(sink_->refs(), 0) << "the control let go of its sink";
    }
    if (button_) {
      EXPECT_FALSE(::IsWindow(button_)) << "the control's window is gone";
    }
    if (host_) ::DestroyWindow(host_);
    EXPECT_EQ(Library().CanUnloadNow(), S_OK);
  }

  LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

  HWND host_ = nullptr;
  HWND button_ = nullptr;
  std::unique_ptr<FakeSite> site_;
  std::unique_ptr<FakeSink> sink_;
  IOleObject* ole_ = nullptr;
  IDispatch* dispatch_ = nullptr;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

TEST_F(ActiveGleam, ClickOnlyForAPressAndReleaseOnTheButton) {
  ::SendMessageW(button_, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  ::SendMessageW(button_, WM_LBUTTONUP, 0, At(6, 6));
  EXPECT_EQ(sink_->clicks, 1);
  // Press inside, release outside: no click.
  ::SendMessageW(button_, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  ::SendMessageW(button_, WM_LBUTTONUP, 0, At(500, 5));
  EXPECT_EQ(sink_->clicks, 1);
  // A release without a press on the button, and the right button: no click.
  ::SendMessageW(button_, WM_LBUTTONUP, 0, At(5, 5));
  ::SendMessageW(button_, WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5));
  ::SendMessageW(button_, WM_RBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(sink_->clicks, 1);
  EXPECT_NE(::GetCapture(), button_) << "capture released with the last button";

  // Frozen events (nested) are not raised; they flow again after the last thaw.
  IOleControl* control = nullptr;
  ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&control)));
  control->FreezeEvents(TRUE);
  control->FreezeEvents(TRUE);
  control->FreezeEvents(FALSE);
  ClickAt(button_, 5, 5);
  EXPECT_EQ(sink_->clicks, 1);
  control->FreezeEvents(FALSE);
  ClickAt(button_, 5, 5);
  EXPECT_EQ(sink_->clicks, 2);
  control->Release();
}

TEST_F(ActiveGleam, KeysRaiseKeyPressAndNeverAClick) {
  sink_->replaceKey = 0;
  ::SendMessageW(button_, WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageW(button_, WM_CHAR, L' ', 0);
  ::SendMessageW(button_, WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageW(button_, WM_CHAR, L'\r', 0);
  ::SendMessageW(button_, WM_CHAR, L'a', 0);
  EXPECT_EQ(sink_->keyPresses, 3);
  EXPECT_EQ(sink_->lastKey, 'a');
  EXPECT_EQ(sink_->clicks, 0);
  IOleInPlaceActiveObject* active = nullptr;
  ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active)));
  MSG msg{button_, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_EQ(active->TranslateAccelerator(&msg), S_FALSE);
  active->Release();
}

TEST_F(ActiveGleam, PaintEndsEveryRepaintButNotAnEnabledPut) {
  const int before = sink_->paints;
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kForeColor, LongArg(0x303030)));
  EXPECT_EQ(sink_->paints, before + 1);
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kPosX, LongArg(20)));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kPosY, LongArg(20)));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kTextColor, LongArg(0xFF)));
  VARIANT text = TextArg(L"OK");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kText, text));
  ::VariantClear(&text);
  EXPECT_EQ(sink_->paints, before + 5);
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kEnabled, BoolArg(false)));
  EXPECT_EQ(sink_->paints, before + 5) << "Enabled does not repaint";
  EXPECT_FALSE(::IsWindowEnabled(button_));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kEnabled, BoolArg(true)));
  EXPECT_TRUE(::IsWindowEnabled(button_));
}

TEST_F(ActiveGleam, ViewObjectDrawsTheFaceIntoAnyRectangle) {
  IViewObject2* view = nullptr;
  ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IViewObject2, reinterpret_cast<void**>(&view)));
  SIZEL extent{};
  ASSERT_HRESULT_SUCCEEDED(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent));
  EXPECT_NEAR(extent.cx, 1764, 40) << "1000 twips in HIMETRIC";
  EXPECT_NEAR(extent.cy, 529, 40) << "300 twips in HIMETRIC";
  // Into a memory bitmap at an offset: the face starts at the rectangle's top.
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 100, 60);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  RECT all{0, 0, 100, 60};
  ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  const RECTL bounds{10, 30, 77, 50};
  EXPECT_HRESULT_SUCCEEDED(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory,
                                      &bounds, nullptr, nullptr, 0));
  EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr,
                       nullptr, 0),
            DV_E_DVASPECT);
  EXPECT_EQ(::GetPixel(memory, 40, 30), RGB(200, 200, 200));
  EXPECT_EQ(::GetPixel(memory, 40, 29), RGB(255, 255, 255)) << "nothing above the rectangle";
  EXPECT_EQ(::GetPixel(memory, 9, 40), RGB(255, 255, 255)) << "nothing left of it";
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  view->Release();
}

TEST_F(ActiveGleam, SinkMayUnadviseItselfAndOthersDuringAnEvent) {
  FakeSink second(DIID___Gleam);
  DWORD secondCookie = 0;
  ASSERT_HRESULT_SUCCEEDED(point_->Advise(&second, &secondCookie));
  EXPECT_NE(secondCookie, cookie_);
  // The first sink, on Click, unadvises both; the second still gets this
  // Click (it was advised when the event started), then nothing more.
  sink_->onEvent = [&](DISPID id) {
    if (id != 1) return;
    EXPECT_HRESULT_SUCCEEDED(point_->Unadvise(cookie_));
    EXPECT_HRESULT_SUCCEEDED(point_->Unadvise(secondCookie));
    cookie_ = 0;
  };
  ClickAt(button_, 5, 5);
  EXPECT_EQ(sink_->clicks, 1);
  EXPECT_EQ(second.clicks, 1);
  EXPECT_EQ(second.refs(), 0);
  EXPECT_EQ(point_->Unadvise(secondCookie), CONNECT_E_NOCONNECTION);
  ClickAt(button_, 5, 5);
  EXPECT_EQ(sink_->clicks, 1);
  EXPECT_EQ(second.clicks, 1);
}

TEST_F(ActiveGleam, PropertyBagRoundTripStoresOnlyWhatDiffersFromTheDefaults) {
  IPersistPropertyBag* persist = nullptr;
  ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&persist)));
  FakeBag defaults;
  ASSERT_HRESULT_SUCCEEDED(persist->Save(&defaults, TRUE, FALSE));
  EXPECT_EQ(defaults.size(), 0u) << "every property at its default";
  FakeBag all;
  ASSERT_HRESULT_SUCCEEDED(persist->Save(&all, TRUE, TRUE));
  EXPECT_EQ(all.size(), 6u);

  FakeBag bag;
  bag.Put(L"Text", TextArg(L"\x4FDD\x5B58"));
  bag.Put(L"ForeColor", LongArg(0x0A0B0C));
  VARIANT asText = TextArg(L"250");  // a stored number may come back as text
  bag.Put(L"PosY", asText);
  ::VariantClear(&asText);
  bag.Put(L"Enabled", BoolArg(false));
  VARIANT junk = TextArg(L"not a number");
  bag.Put(L"PosX", junk);  // unreadable: the default
  ::VariantClear(&junk);
  ASSERT_HRESULT_SUCCEEDED(persist->Load(&bag, nullptr));
  EXPECT_FALSE(::IsWindowEnabled(button_));

  EXPECT_EQ(LongProperty(dispatch_, kForeColor), 0x0A0B0C);
  EXPECT_EQ(LongProperty(dispatch_, kPosY), 250);
  EXPECT_EQ(LongProperty(dispatch_, kPosX), 100);
  EXPECT_EQ(LongProperty(dispatch_, kTextColor), 0);

  FakeBag saved;
  ASSERT_HRESULT_SUCCEEDED(persist->Save(&saved, TRUE, FALSE));
  EXPECT_EQ(saved.size(), 4u);
  ASSERT_NE(saved.Find(L"Text"), nullptr);
  EXPECT_STREQ(saved.Find(L"Text")->value.bstrVal, L"\x4FDD\x5B58");
  ASSERT_NE(saved.Find(L"Enabled"), nullptr);
  EXPECT_EQ(saved.Find(L"Enabled")->value.boolVal, VARIANT_FALSE);
  EXPECT_EQ(saved.Find(L"PosX"), nullptr);
  EXPECT_EQ(saved.Find(L"TextColor"), nullptr);
  EXPECT_EQ(bag.refs(), 0);
  EXPECT_EQ(saved.refs(), 0);
  persist->Release();
}

TEST_F(ActiveGleam, StreamRoundTripAndARefusedCorruptStream) {
  IPersistStreamInit* persist = nullptr;
  ASSERT_HRESULT_SUCCEEDED(ole_->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kForeColor, LongArg(0x112233)));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kPosX, LongArg(-5)));
  VARIANT text = TextArg(L"\x4E2D\x6587" L"1");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(dispatch_, kText, text));
  ::VariantClear(&text);
  EXPECT_EQ(persist->IsDirty(), S_OK);

  IStream* stream = nullptr;
  ASSERT_HRESULT_SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream));
  ASSERT_HRESULT_SUCCEEDED(persist->Save(stream, TRUE));
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  ULARGE_INTEGER size{};
  persist->GetSizeMax(&size);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  EXPECT_EQ(stat.cbSize.QuadPart, size.QuadPart);

  ASSERT_HRESULT_SUCCEEDED(persist->InitNew());
  EXPECT_EQ(LongProperty(dispatch_, kForeColor), 0xC8C8C8);

  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  ASSERT_HRESULT_SUCCEEDED(persist->Load(stream));
  EXPECT_EQ(LongProperty(dispatch_, kForeColor), 0x112233);
  EXPECT_EQ(LongProperty(dispatch_, kPosX), -5);
  VARIANT v;
  ASSERT_HRESULT_SUCCEEDED(GetProperty(dispatch_, kText, &v));
  EXPECT_STREQ(v.bstrVal, L"\x4E2D\x6587" L"1");
  ::VariantClear(&v);

  // Cut short: refused, and the properties stay as they were.
  ULARGE_INTEGER shorter{};
  shorter.QuadPart = stat.cbSize.QuadPart - 2;
  stream->SetSize(shorter);
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  EXPECT_HRESULT_FAILED(persist->Load(stream));
  EXPECT_EQ(LongProperty(dispatch_, kForeColor), 0x112233);
  stream->Release();
  persist->Release();
}

TEST_F(ActiveGleam, ControlReleasedFromInsideItsOwnClick) {
  // The whole teardown, final Release included, runs inside Click; the
  // control holds itself while it raises the event and goes as soon as the
  // event returns (the fixture's TearDown checks what is left).
  sink_->onEvent = [&](DISPID id) {
    if (id != kClick || !ole_) return;
    point_->Unadvise(cookie_);
    point_->Release();
    point_ = nullptr;
    dispatch_->Release();
    dispatch_ = nullptr;
    ole_->Close(OLECLOSE_NOSAVE);
    ole_->SetClientSite(nullptr);
    ole_->Release();
    ole_ = nullptr;
  };
  ClickAt(button_, 3, 3);
  EXPECT_EQ(ole_, nullptr);
}

}  // namespace
}  // namespace quillet::test
