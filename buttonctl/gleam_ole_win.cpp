// Gleam as an OLE control: client site, in-place activation, extents,
// view drawing and the control interface that containers such as the
// program's own host, the ATL host window and script engines use.
#include "buttonctl/gleam_control_win.h"

namespace lantoc {

namespace {
constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;

template <typename T>
void SetReference(T*& slot, T* value) {
  if (value) value->AddRef();
  T* old = slot;
  slot = value;
  if (old) old->Release();
}
}  // namespace

// ---- IOleObject ------------------------------------------------------------

STDMETHODIMP GleamControl::SetClientSite(IOleClientSite* site) {
  SetReference(site_, site);
  return S_OK;
}

STDMETHODIMP GleamControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = site_;
  if (site_) site_->AddRef();
  return S_OK;
}

STDMETHODIMP GleamControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP GleamControl::Close(DWORD) {
  InPlaceDeactivate();
  if (adviseSink_) adviseSink_->OnClose();
  return S_OK;
}

STDMETHODIMP GleamControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP GleamControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP GleamControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP GleamControl::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP GleamControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                  LPCRECT posRect) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      break;
    case OLEIVERB_HIDE:
      if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
      return S_OK;
    default:
      return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
  }
  if (hwnd_) {
    ::ShowWindow(hwnd_, SW_SHOWNA);
    if (verb == OLEIVERB_UIACTIVATE) ::SetFocus(hwnd_);
    return S_OK;
  }
  if (!site) site = site_;
  if (!site) return E_UNEXPECTED;

  IOleInPlaceSite* inPlace = nullptr;
  if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)))) {
    return E_NOINTERFACE;
  }
  if (inPlace->CanInPlaceActivate() != S_OK) {
    inPlace->Release();
    return E_FAIL;
  }
  inPlace->OnInPlaceActivate();

  HWND container = nullptr;
  if (FAILED(inPlace->GetWindow(&container)) || !container) container = parent;
  RECT pos = posRect ? *posRect : RECT{0, 0, TwipsToPixels(kDefaultWidthTwips, 96),
                                       TwipsToPixels(kDefaultHeightTwips, 96)};
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* uiWindow = nullptr;
  RECT sitePos{}, siteClip{};
  OLEINPLACEFRAMEINFO frameInfo{};
  frameInfo.cb = sizeof frameInfo;
  if (SUCCEEDED(inPlace->GetWindowContext(&frame, &uiWindow, &sitePos, &siteClip, &frameInfo))) {
    if (!posRect || !::IsRectEmpty(&sitePos)) pos = sitePos;
  }
  if (frame) frame->Release();
  if (uiWindow) uiWindow->Release();

  if (!container || !CreateControlWindow(container, pos)) {
    inPlace->OnInPlaceDeactivate();
    inPlace->Release();
    return E_FAIL;
  }
  inPlaceSite_ = inPlace;  // keeps the reference
  if (verb == OLEIVERB_UIACTIVATE) ::SetFocus(hwnd_);
  return S_OK;
}

STDMETHODIMP GleamControl::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs) *verbs = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP GleamControl::Update() { return S_OK; }
STDMETHODIMP GleamControl::IsUpToDate() { return S_OK; }

STDMETHODIMP GleamControl::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_Gleam;
  return S_OK;
}

STDMETHODIMP GleamControl::GetUserType(DWORD, LPOLESTR* type) {
  if (!type) return E_POINTER;
  static const wchar_t kName[] = L"Lantoc Gleam";
  *type = static_cast<LPOLESTR>(::CoTaskMemAlloc(sizeof kName));
  if (!*type) return E_OUTOFMEMORY;
  ::memcpy(*type, kName, sizeof kName);
  return S_OK;
}

STDMETHODIMP GleamControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  extent_ = *size;
  return S_OK;
}

STDMETHODIMP GleamControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  *size = extent_;
  return S_OK;
}

STDMETHODIMP GleamControl::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!connection) return E_POINTER;
  *connection = 0;
  if (!sink) return E_INVALIDARG;
  if (adviseSink_) return E_FAIL;  // one advise sink per control
  SetReference(adviseSink_, sink);
  *connection = 1;
  return S_OK;
}

STDMETHODIMP GleamControl::Unadvise(DWORD connection) {
  if (connection != 1 || !adviseSink_) return OLE_E_NOCONNECTION;
  SetReference<IAdviseSink>(adviseSink_, nullptr);
  return S_OK;
}

STDMETHODIMP GleamControl::EnumAdvise(IEnumSTATDATA** advise) {
  if (advise) *advise = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP GleamControl::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = kMiscStatus;
  return S_OK;
}

STDMETHODIMP GleamControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// ---- IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject ----------------

STDMETHODIMP GleamControl::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = hwnd_;
  return hwnd_ ? S_OK : E_FAIL;
}

STDMETHODIMP GleamControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP GleamControl::InPlaceDeactivate() {
  if (!inPlaceSite_) {
    DestroyControlWindow();
    return S_OK;
  }
  DestroyControlWindow();
  IOleInPlaceSite* inPlace = inPlaceSite_;
  inPlaceSite_ = nullptr;
  inPlace->OnInPlaceDeactivate();
  inPlace->Release();
  return S_OK;
}

STDMETHODIMP GleamControl::UIDeactivate() { return S_OK; }

STDMETHODIMP GleamControl::SetObjectRects(LPCRECT pos, LPCRECT) {
  if (!pos) return E_POINTER;
  if (hwnd_) {
    ::MoveWindow(hwnd_, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top,
                 TRUE);
  }
  // The extent follows the container's rectangle (pixels at the control's
  // DPI to HIMETRIC).
  const int dpi = Dpi();
  extent_.cx = static_cast<LONG>(RoundHalfEven((pos->right - pos->left) * 2540.0 / dpi));
  extent_.cy = static_cast<LONG>(RoundHalfEven((pos->bottom - pos->top) * 2540.0 / dpi));
  return S_OK;
}

STDMETHODIMP GleamControl::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

// The button has no accelerators, and no key turns into a click.
STDMETHODIMP GleamControl::TranslateAccelerator(LPMSG) { return S_FALSE; }
STDMETHODIMP GleamControl::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP GleamControl::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP GleamControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP GleamControl::EnableModeless(BOOL) { return S_OK; }

// ---- IOleControl -----------------------------------------------------------

STDMETHODIMP GleamControl::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  info->cb = sizeof *info;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

STDMETHODIMP GleamControl::OnMnemonic(MSG*) { return S_OK; }
STDMETHODIMP GleamControl::OnAmbientPropertyChange(DISPID) { return S_OK; }

STDMETHODIMP GleamControl::FreezeEvents(BOOL freeze) {
  // Calls nest: events flow again after as many unfreezes as freezes.
  if (freeze) {
    ++eventsFrozen_;
  } else if (eventsFrozen_ > 0) {
    --eventsFrozen_;
  }
  return S_OK;
}

// ---- IViewObject2 ----------------------------------------------------------

STDMETHODIMP GleamControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc,
                                LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!drawDc || !bounds) return E_INVALIDARG;
  POINT oldOrigin{};
  ::OffsetViewportOrgEx(drawDc, bounds->left, bounds->top, &oldOrigin);
  PaintFace(drawDc, bounds->right - bounds->left, bounds->bottom - bounds->top, Dpi());
  ::SetViewportOrgEx(drawDc, oldOrigin.x, oldOrigin.y, nullptr);
  return S_OK;
}

STDMETHODIMP GleamControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                       LOGPALETTE** colors) {
  if (colors) *colors = nullptr;
  return S_FALSE;
}

STDMETHODIMP GleamControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  if (freeze) *freeze = 0;
  return E_NOTIMPL;
}

STDMETHODIMP GleamControl::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP GleamControl::SetAdvise(DWORD, DWORD, IAdviseSink* sink) {
  SetReference(viewSink_, sink);
  return S_OK;
}

STDMETHODIMP GleamControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = DVASPECT_CONTENT;
  if (flags) *flags = 0;
  if (sink) {
    *sink = viewSink_;
    if (viewSink_) viewSink_->AddRef();
  }
  return S_OK;
}

STDMETHODIMP GleamControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

}  // namespace lantoc
