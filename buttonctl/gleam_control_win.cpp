// Gleam's identity, its automation interface _Gleam, its class information
// and its event connection point.
#include "buttonctl/gleam_control_win.h"

#include <algorithm>
#include <new>

namespace lantoc {

namespace {
constexpr LONG kColourMask = 0x00FFFFFF;
}  // namespace

GleamControl::GleamControl() {
  ModuleAddRef();
  extent_ = {static_cast<LONG>(RoundHalfEven(kDefaultWidthTwips * 2540.0 / kTwipsPerInch)),
             static_cast<LONG>(RoundHalfEven(kDefaultHeightTwips * 2540.0 / kTwipsPerInch))};
}

GleamControl::~GleamControl() {
  DestroyControlWindow();
  events_.UnadviseAll();
  if (inPlaceSite_) inPlaceSite_->Release();
  if (site_) site_->Release();
  if (adviseSink_) adviseSink_->Release();
  if (viewSink_) viewSink_->Release();
  ModuleRelease();
}

// ---- IUnknown: one identity (the _Gleam base), one count -------------------

STDMETHODIMP GleamControl::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__Gleam) {
    *out = static_cast<_Gleam*>(this);
  } else if (riid == IID_IOleObject) {
    *out = static_cast<IOleObject*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) {
    *out = static_cast<IOleInPlaceObject*>(this);
  } else if (riid == IID_IOleInPlaceActiveObject) {
    *out = static_cast<IOleInPlaceActiveObject*>(this);
  } else if (riid == IID_IOleControl) {
    *out = static_cast<IOleControl*>(this);
  } else if (riid == IID_IViewObject || riid == IID_IViewObject2) {
    *out = static_cast<IViewObject2*>(this);
  } else if (riid == IID_IPersist || riid == IID_IPersistStreamInit) {
    *out = static_cast<IPersistStreamInit*>(this);
  } else if (riid == IID_IPersistStream) {
    // Same layout up to InitNew, which IPersistStream callers never call.
    *out = static_cast<IPersistStreamInit*>(this);
  } else if (riid == IID_IPersistPropertyBag) {
    *out = static_cast<IPersistPropertyBag*>(this);
  } else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) {
    *out = static_cast<IProvideClassInfo2*>(this);
  } else if (riid == IID_IConnectionPointContainer) {
    *out = static_cast<IConnectionPointContainer*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) GleamControl::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) GleamControl::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// ---- IDispatch over the embedded type library ------------------------------

STDMETHODIMP GleamControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP GleamControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return LoadGleamTypeInfo(IID__Gleam, info);
}

STDMETHODIMP GleamControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                         DISPID* ids) {
  ITypeInfo* info = nullptr;
  HRESULT hr = LoadGleamTypeInfo(IID__Gleam, &info);
  if (FAILED(hr)) return hr;
  hr = ::DispGetIDsOfNames(info, names, count, ids);
  info->Release();
  return hr;
}

STDMETHODIMP GleamControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* info = nullptr;
  HRESULT hr = LoadGleamTypeInfo(IID__Gleam, &info);
  if (FAILED(hr)) return hr;
  // Keep the object alive through a call that may release the last outside
  // reference (an event handler closing the window).
  AddRef();
  hr = ::DispInvoke(static_cast<_Gleam*>(this), info, id, flags, params, result, excep, argErr);
  Release();
  info->Release();
  return hr;
}

// ---- _Gleam ----------------------------------------------------------------

STDMETHODIMP GleamControl::get_Enabled(VARIANT_BOOL* value) {
  if (!value) return E_POINTER;
  *value = enabled_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

STDMETHODIMP GleamControl::put_Enabled(VARIANT_BOOL value) {
  enabled_ = value != VARIANT_FALSE;
  if (hwnd_) {
    if (!enabled_ && ::GetCapture() == hwnd_) ::ReleaseCapture();
    ::EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
  }
  PropertyChanged(false);
  return S_OK;
}

STDMETHODIMP GleamControl::get_ForeColor(LONG* value) {
  if (!value) return E_POINTER;
  *value = static_cast<LONG>(foreColor_);
  return S_OK;
}

STDMETHODIMP GleamControl::put_ForeColor(LONG value) {
  foreColor_ = static_cast<ColourRef>(value);
  PropertyChanged(true);
  return S_OK;
}

STDMETHODIMP GleamControl::get_PosX(LONG* value) {
  if (!value) return E_POINTER;
  *value = posX_;
  return S_OK;
}

STDMETHODIMP GleamControl::put_PosX(LONG value) {
  posX_ = value;
  PropertyChanged(true);
  return S_OK;
}

STDMETHODIMP GleamControl::get_PosY(LONG* value) {
  if (!value) return E_POINTER;
  *value = posY_;
  return S_OK;
}

STDMETHODIMP GleamControl::put_PosY(LONG value) {
  posY_ = value;
  PropertyChanged(true);
  return S_OK;
}

STDMETHODIMP GleamControl::get_TextColor(LONG* value) {
  if (!value) return E_POINTER;
  *value = static_cast<LONG>(textColor_);
  return S_OK;
}

STDMETHODIMP GleamControl::put_TextColor(LONG value) {
  textColor_ = static_cast<ColourRef>(value);
  PropertyChanged(true);
  return S_OK;
}

STDMETHODIMP GleamControl::get_Text(BSTR* value) {
  if (!value) return E_POINTER;
  *value = ::SysAllocStringLen(text_.data(), static_cast<UINT>(text_.size()));
  return *value ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP GleamControl::put_Text(BSTR value) {
  const HRESULT hr = NoThrow([&] {
    text_.assign(value ? value : L"", value ? ::SysStringLen(value) : 0);
    return S_OK;
  });
  if (FAILED(hr)) return hr;
  PropertyChanged(true);
  if (hwnd_) ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
  return S_OK;
}

STDMETHODIMP GleamControl::ColorGradient(LONG c, VARIANT_BOOL topToBottom, SHORT dc) {
  if (!hwnd_) return S_OK;  // nothing to draw on before in-place activation
  HDC surface = ::GetDC(hwnd_);
  if (!surface) return E_FAIL;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  PaintBands(surface, client.right, client.bottom, Dpi(), static_cast<ColourRef>(c),
             topToBottom != VARIANT_FALSE, dc);
  ::ReleaseDC(hwnd_, surface);
  return S_OK;
}

STDMETHODIMP GleamControl::DesaltColor(LONG c, SHORT dc, LONG* result) {
  if (!result) return E_POINTER;
  *result = static_cast<LONG>(lantoc::DesaltColor(static_cast<ColourRef>(c), dc)) & kColourMask;
  return S_OK;
}

STDMETHODIMP GleamControl::vRGB(LONG col, BSTR rgbFlag, BYTE* result) {
  if (!result) return E_POINTER;
  const std::u16string_view flag =
      rgbFlag ? std::u16string_view(reinterpret_cast<const char16_t*>(rgbFlag), ::SysStringLen(rgbFlag))
              : std::u16string_view();
  *result = lantoc::vRGB(static_cast<ColourRef>(col), flag);
  return S_OK;
}

// ---- IProvideClassInfo2 ----------------------------------------------------

STDMETHODIMP GleamControl::GetClassInfo(ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  return LoadGleamTypeInfo(CLSID_Gleam, info);
}

STDMETHODIMP GleamControl::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = DIID___Gleam;
  return S_OK;
}

// ---- IConnectionPointContainer ---------------------------------------------

namespace {

// Enumerator over the control's one connection point.
class OnePointEnum final : public IEnumConnectionPoints {
 public:
  explicit OnePointEnum(IConnectionPoint* point, ULONG position = 0)
      : point_(point), position_(position) {
    point_->AddRef();
    ModuleAddRef();
  }
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid != IID_IUnknown && riid != IID_IEnumConnectionPoints) return E_NOINTERFACE;
    *out = static_cast<IEnumConnectionPoints*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  STDMETHODIMP Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override {
    if (!points) return E_POINTER;
    ULONG n = 0;
    if (count > 0 && position_ == 0) {
      points[0] = point_;
      point_->AddRef();
      position_ = 1;
      n = 1;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    const ULONG left = 1 - position_;
    position_ = std::min<ULONG>(1, position_ + count);
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumConnectionPoints** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) OnePointEnum(point_, position_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~OnePointEnum() {
    point_->Release();
    ModuleRelease();
  }
  LONG refs_ = 1;
  IConnectionPoint* point_;
  ULONG position_;
};

}  // namespace

STDMETHODIMP GleamControl::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) OnePointEnum(&events_);
  return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP GleamControl::FindConnectionPoint(REFIID riid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid != DIID___Gleam) return CONNECT_E_NOCONNECTION;
  *out = &events_;
  events_.AddRef();
  return S_OK;
}

// ---- GleamEvents -----------------------------------------------------------

GleamEvents::~GleamEvents() { UnadviseAll(); }

STDMETHODIMP GleamEvents::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid != IID_IUnknown && riid != IID_IConnectionPoint) return E_NOINTERFACE;
  *out = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) GleamEvents::AddRef() { return owner_->AddRef(); }
STDMETHODIMP_(ULONG) GleamEvents::Release() { return owner_->Release(); }

STDMETHODIMP GleamEvents::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = DIID___Gleam;
  return S_OK;
}

STDMETHODIMP GleamEvents::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = static_cast<IConnectionPointContainer*>(owner_);
  owner_->AddRef();
  return S_OK;
}

STDMETHODIMP GleamEvents::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  IDispatch* dispatch = nullptr;
  if (FAILED(sink->QueryInterface(DIID___Gleam, reinterpret_cast<void**>(&dispatch))) &&
      FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  try {
    connections_.push_back({nextCookie_, dispatch});
  } catch (const std::bad_alloc&) {  // no C++ exception leaves a COM method
    dispatch->Release();
    return E_OUTOFMEMORY;
  }
  *cookie = nextCookie_++;
  return S_OK;
}

STDMETHODIMP GleamEvents::Unadvise(DWORD cookie) {
  const auto it = std::find_if(connections_.begin(), connections_.end(),
                               [cookie](const Connection& c) { return c.cookie == cookie; });
  if (it == connections_.end()) return CONNECT_E_NOCONNECTION;
  IDispatch* sink = it->sink;
  connections_.erase(it);
  sink->Release();  // last: the sink's destructor may call back into us
  return S_OK;
}

STDMETHODIMP GleamEvents::EnumConnections(IEnumConnections** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

void GleamEvents::Fire(DISPID id, DISPPARAMS* params) noexcept {
  if (connections_.empty()) return;
  // A copy holding its own references: sinks may unadvise (themselves or
  // others) or release the control while we are still calling. Reserved
  // whole first, so the loop below cannot throw.
  std::vector<IDispatch*> sinks;
  if (FAILED(NoThrow([&] {
        sinks.reserve(connections_.size());
        return S_OK;
      }))) {
    return;
  }
  for (const Connection& c : connections_) {
    c.sink->AddRef();
    sinks.push_back(c.sink);
  }
  owner_->AddRef();
  DISPPARAMS none{};
  for (IDispatch* sink : sinks) {
    sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params ? params : &none,
                 nullptr, nullptr, nullptr);
  }
  for (IDispatch* sink : sinks) sink->Release();
  owner_->Release();
}

void GleamEvents::UnadviseAll() {
  std::vector<Connection> gone;
  gone.swap(connections_);
  for (const Connection& c : gone) c.sink->Release();
}

}  // namespace lantoc
