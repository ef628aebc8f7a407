// What a screen reader asks a window through WM_GETOBJECT: its client
// object (IAccessible). The object of this file wraps the system's standard
// object of the window's client area (CreateStdAccessibleObject) and passes
// on every question that its AccessibleSource leaves open, so a window says
// only what the standard object cannot know: a drawn button's caption and
// role, the cells a grid draws (its "parts", child ids 1..n), a day cell's
// whole text, the name a label drawn beside a box gives it.
//
// The window keeps its object in an AccessibleAnswer, which makes it on the
// first request and cuts it off from the source when the window goes: a
// screen reader may hold the object longer, and then hears
// RPC_E_DISCONNECTED.
//
// Header-only and on the system headers alone, so that the control library
// may use it too. Link oleacc after uuid, and name the interface by
// __uuidof(IAccessible): MinGW's liboleacc.a also has an IID_IAccessible,
// an import thunk whose bytes are no interface id.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include <new>
#include <string>
#include <utility>

#include "win32/handles.h"

namespace quillet::win {

// Each answer gives true when the source answered; false leaves the
// question to the standard object (the window itself, CHILDID_SELF) or to
// "nothing to say" (a part). Called on the window's thread; none throws
// past the object (a failure answers E_OUTOFMEMORY).
class AccessibleSource {
 public:
  virtual ~AccessibleSource() = default;
  // How many parts the window draws itself (child ids 1..n); 0 for none,
  // when the standard object counts the child windows.
  virtual long PartCount(HWND /*window*/) { return 0; }
  virtual bool Name(HWND /*window*/, long /*child*/, std::wstring* /*name*/) { return false; }
  virtual bool Role(HWND /*window*/, long /*child*/, long* /*role*/) { return false; }
  // *state comes holding the standard object's state for the window
  // itself, 0 for a part (STATE_SYSTEM_* bits).
  virtual bool State(HWND /*window*/, long /*child*/, long* /*state*/) { return false; }
  virtual bool Location(HWND /*window*/, long /*child*/, RECT* /*screen*/) { return false; }
  // The part that has the keyboard focus (CHILDID_SELF: the window itself).
  virtual bool Focus(HWND /*window*/, long* /*child*/) { return false; }
  virtual bool DefaultAction(HWND /*window*/, long /*child*/, std::wstring* /*action*/) { return false; }
  virtual bool DoDefaultAction(HWND /*window*/, long /*child*/) { return false; }
};

class AccessibleObject final : public IAccessible, public IOleWindow {
 public:
  // The object of window's client area, with one reference for the caller;
  // fails as the standard object does.
  static HRESULT Create(HWND window, AccessibleSource* source, AccessibleObject** out) noexcept {
    *out = nullptr;
    IAccessible* standard = nullptr;
    const HRESULT hr = ::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&standard));
    if (FAILED(hr)) return hr;
    ComRef<IAccessible> owned(standard);
    *out = new (std::nothrow) AccessibleObject(window, source, std::move(owned));
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  // The window is going: every later question fails.
  void Disconnect() noexcept {
    source_ = nullptr;
    standard_.reset();
  }

  // IUnknown, one identity for both interfaces
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
    } else if (riid == IID_IOleWindow) {
      *out = static_cast<IOleWindow*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IOleWindow: how WindowFromAccessibleObject finds the window.
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch: no type information; clients call the vtable.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!standard_) return RPC_E_DISCONNECTED;
    return standard_.get()->get_accParent(parent);
  }
  STDMETHODIMP get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    if (!standard_) return RPC_E_DISCONNECTED;
    const long parts = source_->PartCount(window_);
    if (parts == 0) return standard_.get()->get_accChildCount(count);
    *count = parts;
    return S_OK;
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    const long id = ChildOf(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    if (id > 0) return S_FALSE;  // a part is no object of its own
    return standard_.get()->get_accChild(child, out);
  }
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    return Text(child, name, &AccessibleSource::Name, &IAccessible::get_accName);
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    return Text(child, value, nullptr, &IAccessible::get_accValue);
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
    return Text(child, text, nullptr, &IAccessible::get_accDescription);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override {
    return Text(child, text, nullptr, &IAccessible::get_accHelp);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return Text(child, text, nullptr, &IAccessible::get_accKeyboardShortcut);
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* text) override {
    return Text(child, text, &AccessibleSource::DefaultAction, &IAccessible::get_accDefaultAction);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    if (file) *file = nullptr;
    const long id = ChildOf(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    if (id > 0) return S_FALSE;
    return standard_.get()->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    ::VariantInit(role);
    const long id = ChildOf(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    long answer = 0;
    if (id >= 0 && source_->Role(window_, id, &answer)) return I4(role, answer);
    if (id > 0) return S_FALSE;
    return standard_.get()->get_accRole(child, role);
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    ::VariantInit(state);
    const long id = ChildOf(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    if (id < 0) return standard_.get()->get_accState(child, state);
    long answer = 0;
    if (id == CHILDID_SELF) {
      const HRESULT hr = standard_.get()->get_accState(child, state);
      if (FAILED(hr)) return hr;
      if (state->vt == VT_I4) answer = state->lVal;
      ::VariantClear(state);
    }
    return source_->State(window_, id, &answer) || id == CHILDID_SELF ? I4(state, answer) : S_FALSE;
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    ::VariantInit(focus);
    if (!standard_) return RPC_E_DISCONNECTED;
    long id = CHILDID_SELF;
    if (source_->Focus(window_, &id)) return I4(focus, id);
    return standard_.get()->get_accFocus(focus);
  }
  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    ::VariantInit(selection);
    if (!standard_) return RPC_E_DISCONNECTED;
    return standard_.get()->get_accSelection(selection);
  }
  STDMETHODIMP accSelect(LONG flags, VARIANT child) override {
    const long id = ChildOf(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    if (id > 0) return DISP_E_MEMBERNOTFOUND;
    return standard_.get()->accSelect(flags, child);
  }
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = 0;
    *top = 0;
    *width = 0;
    *height = 0;
    const long id = ChildOf(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    RECT box{};
    if (id >= 0 && source_->Location(window_, id, &box)) {
      *left = box.left;
      *top = box.top;
      *width = box.right - box.left;
      *height = box.bottom - box.top;
      return S_OK;
    }
    if (id > 0) return DISP_E_MEMBERNOTFOUND;
    return standard_.get()->accLocation(left, top, width, height, child);
  }
  STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    ::VariantInit(end);
    const long id = ChildOf(start);
    if (!standard_) return RPC_E_DISCONNECTED;
    if (id > 0) return DISP_E_MEMBERNOTFOUND;
    return standard_.get()->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override {
    if (!child) return E_POINTER;
    ::VariantInit(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    return standard_.get()->accHitTest(x, y, child);
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    const long id = ChildOf(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    if (id >= 0 && source_->DoDefaultAction(window_, id)) return S_OK;
    if (id > 0) return DISP_E_MEMBERNOTFOUND;
    return standard_.get()->accDoDefaultAction(child);
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override {
    if (!standard_) return RPC_E_DISCONNECTED;
    return ChildOf(child) > 0 ? E_NOTIMPL : standard_.get()->put_accValue(child, value);
  }

 private:
  AccessibleObject(HWND window, AccessibleSource* source, ComRef<IAccessible> standard)
      : window_(window), source_(source), standard_(std::move(standard)) {}
  ~AccessibleObject() = default;

  static HRESULT I4(VARIANT* v, long value) {
    v->vt = VT_I4;
    v->lVal = value;
    return S_OK;
  }

  // CHILDID_SELF, a part's id, or -1 for any other (the standard object
  // answers for it: a child window's id, or an error).
  long ChildOf(const VARIANT& child) const noexcept {
    if (child.vt != VT_I4 || child.lVal < 0 || !source_) return -1;
    if (child.lVal == CHILDID_SELF) return CHILDID_SELF;
    return child.lVal <= source_->PartCount(window_) ? child.lVal : -1;
  }

  // A text property: the source's answer, else the standard object's for
  // the window itself, else none (S_FALSE) for a part.
  HRESULT Text(VARIANT child, BSTR* out,
               bool (AccessibleSource::*answer)(HWND, long, std::wstring*),
               HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    const long id = ChildOf(child);
    if (!standard_) return RPC_E_DISCONNECTED;
    try {
      std::wstring text;
      if (id >= 0 && answer && (source_->*answer)(window_, id, &text)) {
        *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out ? S_OK : E_OUTOFMEMORY;
      }
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    if (id > 0) return S_FALSE;
    return (standard_.get()->*standard)(child, out);
  }

  LONG refs_ = 1;
  HWND window_;
  AccessibleSource* source_;      // borrowed; null once disconnected
  ComRef<IAccessible> standard_;  // the system's object of the same client area
};

// One window's client object, made on the first WM_GETOBJECT that asks for
// it. Reset (or the end of this owner) cuts the object off from its source.
class AccessibleAnswer {
 public:
  AccessibleAnswer() = default;
  ~AccessibleAnswer() { Reset(); }
  AccessibleAnswer(const AccessibleAnswer&) = delete;
  AccessibleAnswer& operator=(const AccessibleAnswer&) = delete;

  // True, with the answer in *result, when a WM_GETOBJECT to window asks
  // for its client object; other objects (frame, caret...) are the
  // default window procedure's.
  bool Answer(HWND window, WPARAM wParam, LPARAM lParam, AccessibleSource* source,
              LRESULT* result) noexcept {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
    if (!object_) {
      AccessibleObject* made = nullptr;
      if (FAILED(AccessibleObject::Create(window, source, &made))) return false;
      object_.reset(made);
    }
    *result = ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_.get()));
    return true;
  }

  void Reset() noexcept {
    if (object_) object_.get()->Disconnect();
    object_.reset();
  }

 private:
  ComRef<AccessibleObject> object_;
};

}  // namespace quillet::win
