#include "tests/support/gleam_test_support.h"

#include <gtest/gtest.h>

#include <climits>

namespace quillet::test {

HRESULT CallLantoc(const char* entry) {
  // Left loaded for good: objects of a failed test may still live.
  static const HMODULE module = ::LoadLibraryW((BinDir() + L"\\Lantoc.dll").c_str());
  const auto fn = reinterpret_cast<HRESULT(WINAPI*)()>(
      reinterpret_cast<void*>(module ? ::GetProcAddress(module, entry) : nullptr));
  return fn ? fn() : E_FAIL;
}

STDMETHODIMP FakeSink::QueryInterface(REFIID riid, void** out) {
  *out = nullptr;
  if (riid != IID_IUnknown && riid != IID_IDispatch) return E_NOINTERFACE;
  *out = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP FakeSink::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                              EXCEPINFO*, UINT*) {
  EXPECT_EQ(flags, DISPATCH_METHOD);
  EXPECT_GT(refs, 0) << "invoked with no reference held (a real sink may be gone)";
  EXPECT_TRUE(id >= 1 && id <= 3) << "unknown event " << id;
  if (id < 1 || id > 3) return DISP_E_MEMBERNOTFOUND;
  ++events[id];
  // KeyPress passes KeyAscii by reference; Click and Paint pass nothing.
  EXPECT_EQ(params->cArgs, id == 3 ? 1u : 0u) << "event " << id;
  if (id == 3 && params->cArgs == 1) {
    const VARIANT& key = params->rgvarg[0];
    EXPECT_EQ(key.vt, VT_I2 | VT_BYREF);
    keys.push_back(key.vt == (VT_I2 | VT_BYREF) ? *key.piVal : -1);
  }
  if (onEvent) onEvent(id);
  return S_OK;
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

HRESULT Put(IDispatch* d, DISPID id, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  const HRESULT hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                               nullptr, nullptr, nullptr);
  ::VariantClear(&value);
  return hr;
}

namespace {
VARIANT Get(IDispatch* d, DISPID id) {
  VARIANT v{};
  DISPPARAMS none{};
  d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr);
  return v;
}
}  // namespace

LONG GetLong(IDispatch* d, DISPID id) {
  VARIANT v = Get(d, id);
  const LONG value = v.vt == VT_I4 ? v.lVal : LONG_MIN;
  ::VariantClear(&v);
  return value;
}

std::wstring GetText(IDispatch* d, DISPID id) {
  VARIANT v = Get(d, id);
  std::wstring text = L"<none>";
  if (v.vt == VT_BSTR) text.assign(v.bstrVal ? v.bstrVal : L"", ::SysStringLen(v.bstrVal));
  ::VariantClear(&v);
  return text;
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
