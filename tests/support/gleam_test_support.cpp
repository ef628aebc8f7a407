#include "tests/support/gleam_test_support.h"

#include <gtest/gtest.h>

#include "win32/handles.h"

namespace quillet::test {

// ---- LantocLibrary ---------------------------------------------------------

LantocLibrary::LantocLibrary() {
  const std::wstring path = BinDir() + L"\\Lantoc.dll";
  module_ = ::LoadLibraryW(path.c_str());
}

LantocLibrary::~LantocLibrary() {
  // Left loaded: objects of a failed test may still live, and the unload
  // rule is tested through DllCanUnloadNow itself.
}

FARPROC LantocLibrary::Entry(const char* name) const {
  return module_ ? ::GetProcAddress(module_, name) : nullptr;
}

HRESULT LantocLibrary::Create(REFIID riid, void** out) const {
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(Entry("DllGetClassObject")));
  if (!getClassObject) return E_FAIL;
  // The class identifier as registered and as in the manifest.
  static const CLSID kGleam = {0xD2DC25A9, 0x4F7E, 0x441C,
                               {0x94, 0x43, 0xB4, 0x22, 0x1E, 0xA3, 0x05, 0x5D}};
  IClassFactory* factory = nullptr;
  HRESULT hr = getClassObject(kGleam, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(nullptr, riid, out);
  factory->Release();
  return hr;
}

HRESULT LantocLibrary::CanUnloadNow() const {
  using Fn = HRESULT(WINAPI*)();
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(Entry("DllCanUnloadNow")));
  return fn ? fn() : E_FAIL;
}

HRESULT LantocLibrary::Register() const {
  using Fn = HRESULT(WINAPI*)();
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(Entry("DllRegisterServer")));
  return fn ? fn() : E_FAIL;
}

HRESULT LantocLibrary::Unregister() const {
  using Fn = HRESULT(WINAPI*)();
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(Entry("DllUnregisterServer")));
  return fn ? fn() : E_FAIL;
}

LantocLibrary& Library() {
  static LantocLibrary library;
  return library;
}

// ---- FakeSite --------------------------------------------------------------

STDMETHODIMP FakeSite::QueryInterface(REFIID riid, void** out) {
  *out = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP FakeSite::SaveObject() {
  ADD_FAILURE() << "unexpected SaveObject";
  return E_NOTIMPL;
}
STDMETHODIMP FakeSite::GetMoniker(DWORD, DWORD, IMoniker** m) {
  *m = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP FakeSite::GetContainer(IOleContainer** c) {
  *c = nullptr;
  return E_NOINTERFACE;
}
STDMETHODIMP FakeSite::RequestNewObjectLayout() {
  ADD_FAILURE() << "unexpected RequestNewObjectLayout";
  return E_NOTIMPL;
}
STDMETHODIMP FakeSite::GetWindow(HWND* hwnd) {
  *hwnd = parent_;
  return S_OK;
}
STDMETHODIMP FakeSite::ContextSensitiveHelp(BOOL) {
  ADD_FAILURE() << "unexpected ContextSensitiveHelp";
  return E_NOTIMPL;
}
STDMETHODIMP FakeSite::OnInPlaceActivate() {
  ++activations;
  return S_OK;
}
STDMETHODIMP FakeSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                        LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO) {
  *frame = nullptr;
  *doc = nullptr;
  *pos = pos_;
  *clip = pos_;
  return S_OK;
}
STDMETHODIMP FakeSite::Scroll(SIZE) {
  ADD_FAILURE() << "unexpected Scroll";
  return E_NOTIMPL;
}
STDMETHODIMP FakeSite::OnInPlaceDeactivate() {
  ++deactivations;
  return S_OK;
}
STDMETHODIMP FakeSite::DeactivateAndUndo() {
  ADD_FAILURE() << "unexpected DeactivateAndUndo";
  return E_NOTIMPL;
}

// ---- FakeSink --------------------------------------------------------------

STDMETHODIMP FakeSink::QueryInterface(REFIID riid, void** out) {
  *out = nullptr;
  if (riid != IID_IUnknown && riid != IID_IDispatch && riid != eventIid_) return E_NOINTERFACE;
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}
STDMETHODIMP FakeSink::GetTypeInfoCount(UINT* n) {
  *n = 0;
  return S_OK;
}
STDMETHODIMP FakeSink::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  ADD_FAILURE() << "unexpected GetTypeInfo";
  return E_NOTIMPL;
}
STDMETHODIMP FakeSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  ADD_FAILURE() << "unexpected GetIDsOfNames";
  return E_NOTIMPL;
}
STDMETHODIMP FakeSink::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                              EXCEPINFO*, UINT*) {
  EXPECT_EQ(flags, DISPATCH_METHOD);
  switch (id) {
    case 1:
      ++clicks;
      EXPECT_EQ(params->cArgs, 0u);
      break;
    case 2:
      ++paints;
      EXPECT_EQ(params->cArgs, 0u);
      break;
    case 3:
      ++keyPresses;
      EXPECT_EQ(params->cArgs, 1u);
      if (params->cArgs == 1) {
        EXPECT_EQ(params->rgvarg[0].vt, VT_I2 | VT_BYREF);
        lastKey = *params->rgvarg[0].piVal;
        if (replaceKey >= 0) *params->rgvarg[0].piVal = replaceKey;
      }
      break;
    default:
      ADD_FAILURE() << "unknown event " << id;
  }
  if (onEvent) onEvent(id);
  return S_OK;
}

// ---- FakeBag ---------------------------------------------------------------

FakeBag::~FakeBag() {
  for (Entry& e : entries_) ::VariantClear(&e.value);
}

const FakeBag::Entry* FakeBag::Find(const std::wstring& key) const {
  for (const Entry& e : entries_) {
    if (e.key == key) return &e;
  }
  return nullptr;
}

void FakeBag::Put(const std::wstring& key, const VARIANT& value) {
  for (Entry& e : entries_) {
    if (e.key == key) {
      ::VariantCopy(&e.value, const_cast<VARIANT*>(&value));
      return;
    }
  }
  Entry e{key, {}};
  ::VariantInit(&e.value);
  ::VariantCopy(&e.value, const_cast<VARIANT*>(&value));
  entries_.push_back(e);
}

STDMETHODIMP FakeBag::QueryInterface(REFIID riid, void** out) {
  *out = nullptr;
  if (riid != IID_IUnknown && riid != IID_IPropertyBag) return E_NOINTERFACE;
  *out = static_cast<IPropertyBag*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP FakeBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  const Entry* e = Find(name);
  if (!e) return E_INVALIDARG;
  const VARTYPE wanted = value->vt;
  ::VariantInit(value);
  if (wanted == VT_EMPTY) return ::VariantCopy(value, const_cast<VARIANT*>(&e->value));
  return ::VariantChangeType(value, const_cast<VARIANT*>(&e->value), 0, wanted);
}

STDMETHODIMP FakeBag::Write(LPCOLESTR name, VARIANT* value) {
  Put(name, *value);
  return S_OK;
}

// ---- probes ----------------------------------------------------------------

HWND CreateHostWindow(int width, int height) {
  static const wchar_t kClass[] = L"GleamTestHost";
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!::GetClassInfoExW(::GetModuleHandleW(nullptr), kClass, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClass;
    ::RegisterClassExW(&wc);
  }
  RECT r{0, 0, width, height};
  ::AdjustWindowRectEx(&r, WS_POPUP | WS_BORDER, FALSE, 0);
  HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST, kClass, L"Gleam host",
                                WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
  if (hwnd) {
    ::SetForegroundWindow(hwnd);
    ::UpdateWindow(hwnd);
  }
  return hwnd;
}

SitedGleam::SitedGleam(const LantocLibrary& library, HWND host, RECT pos) : site(host, pos) {
  if (FAILED(library.Create(IID_IOleObject, reinterpret_cast<void**>(&ole)))) return;
  ole->SetClientSite(&site);
  IPersistStreamInit* persist = nullptr;
  if (SUCCEEDED(ole->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
    persist->InitNew();
    persist->Release();
  }
  ole->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  if (FAILED(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, host, &pos))) return;
  IOleWindow* window = nullptr;
  if (SUCCEEDED(ole->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
    window->GetWindow(&button);
    window->Release();
  }
}

long SitedGleam::Close() {
  if (!ole) return -1;
  if (dispatch) dispatch->Release();
  dispatch = nullptr;
  IOleInPlaceObject* inPlace = nullptr;
  if (SUCCEEDED(ole->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
    inPlace->InPlaceDeactivate();
    inPlace->Release();
  }
  ole->Close(OLECLOSE_NOSAVE);
  ole->SetClientSite(nullptr);
  const long left = static_cast<long>(ole->Release());
  ole = nullptr;
  button = nullptr;
  return left;
}

ProgramManifest::ProgramManifest() {
  exe_ = BinDir() + L"\\quillet.exe";
  dir_ = BinDir();
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

HRESULT PutProperty(IDispatch* d, DISPID id, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                   nullptr, nullptr);
}

HRESULT GetProperty(IDispatch* d, DISPID id, VARIANT* value) {
  ::VariantInit(value);
  DISPPARAMS none{};
  return d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value,
                   nullptr, nullptr);
}

LONG LongProperty(IDispatch* d, DISPID id) {
  VARIANT v;
  ::VariantInit(&v);
  const HRESULT hr = GetProperty(d, id, &v);
  EXPECT_HRESULT_SUCCEEDED(hr);
  EXPECT_EQ(v.vt, VT_I4);
  if (FAILED(hr) || v.vt != VT_I4) return -1;
  return v.lVal;
}

VARIANT LongArg(LONG v) {
  VARIANT var;
  ::VariantInit(&var);
  var.vt = VT_I4;
  var.lVal = v;
  return var;
}

VARIANT BoolArg(bool v) {
  VARIANT var;
  ::VariantInit(&var);
  var.vt = VT_BOOL;
  var.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
  return var;
}

VARIANT TextArg(const wchar_t* text) {
  VARIANT var;
  ::VariantInit(&var);
  var.vt = VT_BSTR;
  var.bstrVal = ::SysAllocString(text);
  return var;
}

}  // namespace quillet::test
