// Test doubles and probes for the gradient button control: the DLL loaded
// from the build tree, a fake container site and a fake event sink that
// count their references and fail on calls they do not expect, and a
// client-area render.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/win_test.h"

namespace quillet::test {

// Lantoc.dll of the build tree, loaded by path (nothing registered).
class LantocLibrary {
 public:
  LantocLibrary();
  ~LantocLibrary();
  LantocLibrary(const LantocLibrary&) = delete;
  LantocLibrary& operator=(const LantocLibrary&) = delete;
  bool loaded() const { return module_ != nullptr; }
  // A new Gleam through the DLL's class object; the caller owns one reference.
  HRESULT Create(REFIID riid, void** out) const;
  HRESULT CanUnloadNow() const;
  HRESULT Register() const;
  HRESULT Unregister() const;

 private:
  FARPROC Entry(const char* name) const;
  HMODULE module_ = nullptr;
};

// The one LantocLibrary of the test process.
LantocLibrary& Library();

// Client site + in-place site of a fake container window.
class FakeSite final : public IOleClientSite, public IOleInPlaceSite {
 public:
  FakeSite(HWND parent, RECT pos) : parent_(parent), pos_(pos) {}
  LONG refs() const { return refs_; }
  int activations = 0;
  int deactivations = 0;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs_); }  // on the stack
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** m) override;
  STDMETHODIMP GetContainer(IOleContainer** c) override;
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override;
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override;
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE) override;
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override;
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

 private:
  LONG refs_ = 0;
  HWND parent_;
  RECT pos_;
};

// Event sink of __Gleam: counts each event; onEvent runs inside the call.
class FakeSink final : public IDispatch {
 public:
  explicit FakeSink(const IID& eventIid) : eventIid_(eventIid) {}
  LONG refs() const { return refs_; }
  int clicks = 0;
  int paints = 0;
  int keyPresses = 0;
  short lastKey = 0;
  short replaceKey = -1;  // >= 0: written back through the by-reference KeyAscii
  std::function<void(DISPID)> onEvent;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs_); }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override;

 private:
  LONG refs_ = 0;
  IID eventIid_;
};

// A property bag in memory that remembers what was written.
class FakeBag final : public IPropertyBag {
 public:
  struct Entry {
    std::wstring key;
    VARIANT value;
  };
  FakeBag() = default;
  ~FakeBag();
  LONG refs() const { return refs_; }
  const Entry* Find(const std::wstring& key) const;
  void Put(const std::wstring& key, const VARIANT& value);
  std::size_t size() const { return entries_.size(); }

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs_); }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

 private:
  LONG refs_ = 0;
  std::vector<Entry> entries_;
};

// A visible top-level window to host controls in (client area w x h px).
HWND CreateHostWindow(int width, int height);

// A Gleam created from the library, sited in a FakeSite over host, given
// its defaults and activated in place at pos (pixels).
class SitedGleam {
 public:
  SitedGleam(const LantocLibrary& library, HWND host, RECT pos);
  ~SitedGleam() { Close(); }
  SitedGleam(const SitedGleam&) = delete;
  SitedGleam& operator=(const SitedGleam&) = delete;
  bool ok() const { return button != nullptr; }
  // Deactivate, close, unsite and release; returns what the final Release
  // returned (0 when the control is gone), -1 if already closed.
  long Close();

  FakeSite site;
  IOleObject* ole = nullptr;
  IDispatch* dispatch = nullptr;
  HWND button = nullptr;
};

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

// Property put/get through IDispatch::Invoke.
HRESULT PutProperty(IDispatch* d, DISPID id, VARIANT value);
HRESULT GetProperty(IDispatch* d, DISPID id, VARIANT* value);
// A long property's value; fails the test (and gives -1) when it cannot be read.
LONG LongProperty(IDispatch* d, DISPID id);
VARIANT LongArg(LONG v);
VARIANT BoolArg(bool v);
VARIANT TextArg(const wchar_t* text);  // caller clears

}  // namespace quillet::test
