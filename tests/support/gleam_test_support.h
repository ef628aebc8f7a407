// Test doubles for the gradient button control: the build tree's
// Lantoc.dll called by path, an event sink that counts its references,
// property access through IDispatch, and the program's manifest.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/win_test.h"

namespace quillet::test {

// Calls an entry point without arguments of the build tree's Lantoc.dll
// (loaded by path): "DllCanUnloadNow", "DllRegisterServer" (into the test
// prefix) or "DllUnregisterServer".
HRESULT CallLantoc(const char* entry);

// Event sink of __Gleam (reached through IDispatch); lives on the stack.
class FakeSink final : public IDispatch {
 public:
  LONG refs = 0;
  int events[4] = {};        // by event id: [1] Click, [2] Paint, [3] KeyPress
  std::vector<short> keys;   // KeyAscii of each KeyPress, as received
  std::function<void(DISPID)> onEvent;  // runs inside the event

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                      EXCEPINFO*, UINT*) override;
};

// A visible top-most window to host controls in (client area w x h px).
HWND CreateHostWindow(int width, int height);

// Property put (value is cleared afterwards) and gets through Invoke.
HRESULT Put(IDispatch* d, DISPID id, VARIANT value);
LONG GetLong(IDispatch* d, DISPID id);          // LONG_MIN unless a VT_I4 comes back
std::wstring GetText(IDispatch* d, DISPID id);  // "<none>" unless a VT_BSTR comes back
inline VARIANT VLong(LONG v) { VARIANT var{}; var.vt = VT_I4; var.lVal = v; return var; }
inline VARIANT VBool(bool v) { VARIANT var{}; var.vt = VT_BOOL; var.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE; return var; }
inline VARIANT VText(const wchar_t* text) { VARIANT var{}; var.vt = VT_BSTR; var.bstrVal = ::SysAllocString(text); return var; }

// The activation context of quillet.exe's embedded manifest, active while
// this object lives: what the program itself runs under, so that
// "Lantoc.Gleam" is found beside it with nothing registered.
class ProgramManifest {
 public:
  ProgramManifest();
  ~ProgramManifest();
  ProgramManifest(const ProgramManifest&) = delete;
  ProgramManifest& operator=(const ProgramManifest&) = delete;
  bool active() const { return active_; }

 private:
  std::wstring exe_, dir_;
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

}  // namespace quillet::test
