#include "win32/gleam_host.h"

#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <algorithm>

#include "base/gleam_dispids.h"
#include "base/units.h"
#include "win32/text.h"

namespace quillet::win {

// The container side of one control: client site, in-place site, the
// property bag its stored properties are read from, and the sink of its
// events. One COM object with one count; the button holds one reference
// and the control holds others while it is sited and advised.
class ControlSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IPropertyBag,
                          public IDispatch {
 public:
  ControlSite(GleamButton* owner, HWND parent, const RECT& pos,
              std::vector<std::pair<std::string, StoredValue>> properties)
      : owner_(owner), parent_(parent), pos_(pos), properties_(std::move(properties)) {}

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IPropertyBag) {
      *out = static_cast<IPropertyBag*>(this);
    } else if (riid == IID_IDispatch || (eventIid_ != GUID_NULL && riid == eventIid_)) {
      *out = static_cast<IDispatch*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = --refs_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow / IOleInPlaceSite
  STDMETHODIMP GetWindow(HWND* hwnd) override {
    if (!hwnd) return E_POINTER;
    *hwnd = parent_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    // No frame or document window: the button needs neither menus nor tools.
    if (frame) *frame = nullptr;
    if (doc) *doc = nullptr;
    if (pos) *pos = pos_;
    if (clip) *clip = pos_;
    if (info) {
      info->fMDIApp = FALSE;
      info->hwndFrame = parent_;
      info->haccel = nullptr;
      info->cAccelEntries = 0;
    }
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT pos) override {
    if (pos) pos_ = *pos;
    return S_OK;
  }

  // IPropertyBag over the definition's stored properties.
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    if (!name || !value) return E_POINTER;
    const std::string key = Narrow(name);
    const auto it = std::find_if(properties_.begin(), properties_.end(),
                                 [&key](const auto& p) { return p.first == key; });
    if (it == properties_.end()) return E_INVALIDARG;
    VARIANT stored;
    ::VariantInit(&stored);
    if (const bool* b = std::get_if<bool>(&it->second)) {
      stored.vt = VT_BOOL;
      stored.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const std::int32_t* i = std::get_if<std::int32_t>(&it->second)) {
      stored.vt = VT_I4;
      stored.lVal = *i;
    } else {
      const std::wstring text = Widen(std::get<std::string>(it->second));
      stored.vt = VT_BSTR;
      stored.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      if (!stored.bstrVal) return E_OUTOFMEMORY;
    }
    const VARTYPE wanted = value->vt;
    ::VariantInit(value);
    HRESULT hr = S_OK;
    if (wanted == VT_EMPTY || wanted == stored.vt) {
      *value = stored;  // ownership moves to the caller
      return S_OK;
    }
    hr = ::VariantChangeType(value, &stored, 0, wanted);
    ::VariantClear(&stored);
    return hr;
  }
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
    if (!name || !value) return E_POINTER;
    StoredValue stored;
    if (value->vt == VT_BOOL) {
      stored = value->boolVal != VARIANT_FALSE;
    } else if (value->vt == VT_BSTR) {
      stored = Narrow(std::wstring_view(value->bstrVal ? value->bstrVal : L"",
                                        value->bstrVal ? ::SysStringLen(value->bstrVal) : 0));
    } else {
      VARIANT asLong;
      ::VariantInit(&asLong);
      if (FAILED(::VariantChangeType(&asLong, value, 0, VT_I4))) return E_INVALIDARG;
      stored = static_cast<std::int32_t>(asLong.lVal);
    }
    const std::string key = Narrow(name);
    const auto it = std::find_if(properties_.begin(), properties_.end(),
                                 [&key](const auto& p) { return p.first == key; });
    if (it != properties_.end()) {
      it->second = std::move(stored);
    } else {
      properties_.emplace_back(key, std::move(stored));
    }
    return S_OK;
  }

  // IDispatch: the control's events (and no ambient properties: the
  // control's defaults serve).
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    if (!owner_) return S_OK;  // the button is gone; late events are dropped
    AddRef();
    owner_->Fire(id, params);
    Release();
    return S_OK;
  }

  void Detach() { owner_ = nullptr; }
  void SetEventIid(const IID& iid) { eventIid_ = iid; }
  void SetPos(const RECT& pos) { pos_ = pos; }

  // The hosted control (one reference each while sited).
  IOleObject* object = nullptr;
  IDispatch* dispatch = nullptr;
  IConnectionPoint* eventPoint = nullptr;
  DWORD cookie = 0;
  HWND controlWindow = nullptr;

 private:
  ~ControlSite() = default;
  LONG refs_ = 1;
  GleamButton* owner_;
  HWND parent_;
  RECT pos_;
  std::vector<std::pair<std::string, StoredValue>> properties_;
  IID eventIid_ = GUID_NULL;
};

namespace {

RECT PixelRect(int left, int top, int width, int height, int dpi) {
  const int l = TwipsToPixels(left, dpi);
  const int t = TwipsToPixels(top, dpi);
  return RECT{l, t, l + TwipsToPixels(width, dpi), t + TwipsToPixels(height, dpi)};
}

template <typename T>
void ReleaseInto(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

}  // namespace

GleamButton::GleamButton() = default;
GleamButton::~GleamButton() { Release(); }

bool GleamButton::IsCreated() const { return site_ && site_->object; }
HWND GleamButton::hwnd() const { return site_ ? site_->controlWindow : nullptr; }
IDispatch* GleamButton::Dispatch() const { return site_ ? site_->dispatch : nullptr; }

bool GleamButton::Create(HWND parent, const ControlDefinition& definition, int dpi) {
  Release();
  name_ = definition.name;
  const RECT pos = PixelRect(definition.left, definition.top, definition.width,
                             definition.height, dpi);
  site_ = new ControlSite(this, parent, pos, definition.properties);

  CLSID clsid{};
  const std::wstring progId = Widen(definition.progId);
  IOleObject* object = nullptr;
  if (FAILED(::CLSIDFromProgID(progId.c_str(), &clsid)) ||
      FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object)))) {
    Release();
    return false;
  }
  site_->object = object;
  IOleClientSite* clientSite = static_cast<IOleClientSite*>(site_);
  object->SetClientSite(clientSite);

  // Stored properties through the property bag; a control without one
  // starts from its defaults.
  IPersistPropertyBag* persistBag = nullptr;
  if (SUCCEEDED(object->QueryInterface(IID_IPersistPropertyBag,
                                       reinterpret_cast<void**>(&persistBag)))) {
    persistBag->Load(static_cast<IPropertyBag*>(site_), nullptr);
    persistBag->Release();
  } else {
    IPersistStreamInit* persistStream = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IPersistStreamInit,
                                         reinterpret_cast<void**>(&persistStream)))) {
      persistStream->InitNew();
      persistStream->Release();
    }
  }

  // Events: the default source interface named by the control's class info.
  IProvideClassInfo2* classInfo = nullptr;
  IConnectionPointContainer* points = nullptr;
  IID eventIid = GUID_NULL;
  if (SUCCEEDED(object->QueryInterface(IID_IProvideClassInfo2,
                                       reinterpret_cast<void**>(&classInfo)))) {
    classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &eventIid);
    classInfo->Release();
  }
  if (eventIid != GUID_NULL &&
      SUCCEEDED(object->QueryInterface(IID_IConnectionPointContainer,
                                       reinterpret_cast<void**>(&points)))) {
    site_->SetEventIid(eventIid);
    if (SUCCEEDED(points->FindConnectionPoint(eventIid, &site_->eventPoint))) {
      if (FAILED(site_->eventPoint->Advise(static_cast<IDispatch*>(site_), &site_->cookie))) {
        ReleaseInto(site_->eventPoint);
      }
    }
    points->Release();
  }
  object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&site_->dispatch));

  RECT activePos = pos;
  if (FAILED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, parent,
                            &activePos))) {
    Release();
    return false;
  }
  IOleWindow* window = nullptr;
  if (SUCCEEDED(object->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
    window->GetWindow(&site_->controlWindow);
    window->Release();
  }
  return true;
}

void GleamButton::Release() {
  if (!site_) return;
  ControlSite* site = site_;
  site_ = nullptr;  // re-entrant calls (from an event) find nothing to do
  site->Detach();
  if (site->eventPoint) {
    site->eventPoint->Unadvise(site->cookie);
    ReleaseInto(site->eventPoint);
  }
  ReleaseInto(site->dispatch);
  if (IOleObject* object = site->object) {
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IOleInPlaceObject,
                                         reinterpret_cast<void**>(&inPlace)))) {
      inPlace->InPlaceDeactivate();
      inPlace->Release();
    }
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    ReleaseInto(site->object);
  }
  site->controlWindow = nullptr;
  site->Release();
}

bool GleamButton::PutProperty(DISPID id, const VARIANT& value) {
  IDispatch* dispatch = Dispatch();
  if (!dispatch) return false;
  VARIANT arg = value;  // Invoke does not change its arguments
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&arg, &named, 1, 1};
  return SUCCEEDED(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                    &params, nullptr, nullptr, nullptr));
}

bool GleamButton::GetProperty(DISPID id, VARIANT* value) const {
  IDispatch* dispatch = Dispatch();
  if (!dispatch || !value) return false;
  ::VariantInit(value);
  DISPPARAMS none{};
  return SUCCEEDED(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                    &none, value, nullptr, nullptr));
}

namespace {
VARIANT LongVariant(std::int32_t v) {
  VARIANT var;
  ::VariantInit(&var);
  var.vt = VT_I4;
  var.lVal = v;
  return var;
}
}  // namespace

bool GleamButton::SetForeColor(Colour colour) {
  return PutProperty(GLEAM_DISPID_FORE_COLOR, LongVariant(static_cast<std::int32_t>(colour & 0xFFFFFF)));
}

bool GleamButton::SetTextColor(Colour colour) {
  return PutProperty(GLEAM_DISPID_TEXT_COLOR, LongVariant(static_cast<std::int32_t>(colour & 0xFFFFFF)));
}

bool GleamButton::SetPosition(int posX, int posY) {
  return PutProperty(GLEAM_DISPID_POS_X, LongVariant(posX)) &&
         PutProperty(GLEAM_DISPID_POS_Y, LongVariant(posY));
}

bool GleamButton::SetEnabled(bool enabled) {
  VARIANT var;
  ::VariantInit(&var);
  var.vt = VT_BOOL;
  var.boolVal = enabled ? VARIANT_TRUE : VARIANT_FALSE;
  return PutProperty(GLEAM_DISPID_ENABLED, var);
}

bool GleamButton::SetText(std::string_view utf8) {
  const std::wstring text = Widen(utf8);
  VARIANT var;
  ::VariantInit(&var);
  var.vt = VT_BSTR;
  var.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!var.bstrVal) return false;
  const bool ok = PutProperty(GLEAM_DISPID_TEXT, var);
  ::VariantClear(&var);
  return ok;
}

void GleamButton::Move(int left, int top, int width, int height, int dpi) {
  if (!site_ || !site_->object) return;
  const RECT pos = PixelRect(left, top, width, height, dpi);
  site_->SetPos(pos);
  IOleInPlaceObject* inPlace = nullptr;
  if (SUCCEEDED(site_->object->QueryInterface(IID_IOleInPlaceObject,
                                              reinterpret_cast<void**>(&inPlace)))) {
    inPlace->SetObjectRects(&pos, &pos);
    inPlace->Release();
  }
}

void GleamButton::Fire(DISPID id, DISPPARAMS* params) {
  // Handlers are copied first: one may release this button (or its window)
  // while it runs.
  if (id == GLEAM_EVENT_CLICK) {
    if (auto handler = onClick_) handler();
  } else if (id == GLEAM_EVENT_PAINT) {
    if (auto handler = onPaint_) handler();
  } else if (id == GLEAM_EVENT_KEY_PRESS && params && params->cArgs >= 1) {
    VARIANT& arg = params->rgvarg[0];
    short* key = nullptr;
    if (arg.vt == (VT_I2 | VT_BYREF)) key = arg.piVal;
    if (arg.vt == (VT_VARIANT | VT_BYREF) && arg.pvarVal && arg.pvarVal->vt == VT_I2) {
      key = &arg.pvarVal->iVal;
    }
    short local = (arg.vt == VT_I2) ? arg.iVal : 0;
    if (!key) key = &local;
    if (auto handler = onKeyPress_) handler(*key);
  }
}

bool ControlHost::Create(HWND parent, const WindowDefinition& definition, int dpi) {
  Release();
  bool all = true;
  for (const ControlDefinition& control : definition.controls) {
    auto button = std::make_unique<GleamButton>();
    if (!button->Create(parent, control, dpi)) all = false;
    buttons_.push_back(std::move(button));
  }
  return all;
}

void ControlHost::Release() {
  // Last created goes first; each button is released before it is freed.
  while (!buttons_.empty()) {
    std::unique_ptr<GleamButton> last = std::move(buttons_.back());
    buttons_.pop_back();
    last->Release();
  }
}

GleamButton* ControlHost::Find(std::string_view name) {
  for (auto& button : buttons_) {
    if (button->name() == name) return button.get();
  }
  return nullptr;
}

}  // namespace quillet::win
