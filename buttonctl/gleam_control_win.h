// The COM object behind the class Gleam: one object, one reference count,
// every interface a base class. The widl header names the coclass Gleam,
// so the C++ class is GleamControl.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <new>
#include <string>
#include <vector>

#include "buttonctl/gleam_logic.h"
#include "lantoc_h.h"
#include "win32/accessible.h"

namespace lantoc {

// Module-wide counts for DllCanUnloadNow.
void ModuleAddRef();
void ModuleRelease();
HINSTANCE ModuleInstance();
// The type library embedded in this DLL (loaded once, one reference held
// by the module; borrowed by callers).
HRESULT LoadGleamTypeInfo(REFGUID guid, ITypeInfo** info);

// Answers body's HRESULT. No C++ exception may cross a COM method: one from
// body (bad_alloc from a string or a vector growing) becomes E_OUTOFMEMORY,
// any other E_UNEXPECTED.
template <class Body>
HRESULT NoThrow(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

class GleamControl;

// The single connection point of the event interface __Gleam. Lives inside
// the control and forwards AddRef/Release to it.
class GleamEvents final : public IConnectionPoint {
 public:
  explicit GleamEvents(GleamControl* owner) : owner_(owner) {}
  ~GleamEvents();

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** out) override;

  // Invokes dispid on every sink advised when the call starts (a sink may
  // unadvise itself or others during the call). Without memory for that
  // list the event is not fired.
  void Fire(DISPID id, DISPPARAMS* params) noexcept;
  void UnadviseAll();

 private:
  struct Connection {
    DWORD cookie;
    IDispatch* sink;  // one reference
  };
  GleamControl* owner_;
  std::vector<Connection> connections_;
  DWORD nextCookie_ = 1;
};

class GleamControl final : public _Gleam,
                           public IOleObject,
                           public IOleInPlaceObject,
                           public IOleInPlaceActiveObject,
                           public IOleControl,
                           public IViewObject2,
                           public IPersistStreamInit,
                           public IPersistPropertyBag,
                           public IProvideClassInfo2,
                           public IConnectionPointContainer,
                           private quillet::win::AccessibleSource {
 public:
  GleamControl();
  ~GleamControl();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

  // _Gleam
  STDMETHODIMP get_Enabled(VARIANT_BOOL* value) override;
  STDMETHODIMP put_Enabled(VARIANT_BOOL value) override;
  STDMETHODIMP get_ForeColor(LONG* value) override;
  STDMETHODIMP put_ForeColor(LONG value) override;
  STDMETHODIMP get_PosX(LONG* value) override;
  STDMETHODIMP put_PosX(LONG value) override;
  STDMETHODIMP get_PosY(LONG* value) override;
  STDMETHODIMP put_PosY(LONG value) override;
  STDMETHODIMP get_TextColor(LONG* value) override;
  STDMETHODIMP put_TextColor(LONG value) override;
  STDMETHODIMP get_Text(BSTR* value) override;
  STDMETHODIMP put_Text(BSTR value) override;
  STDMETHODIMP ColorGradient(LONG c, VARIANT_BOOL topToBottom, SHORT dc) override;
  STDMETHODIMP DesaltColor(LONG c, SHORT dc, LONG* result) override;
  STDMETHODIMP vRGB(LONG col, BSTR rgbFlag, BYTE* result) override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR obj) override;
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
  STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                      LPCRECT posRect) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override;
  STDMETHODIMP IsUpToDate() override;
  STDMETHODIMP GetUserClassID(CLSID* clsid) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP Unadvise(DWORD connection) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE* pal) override;

  // IOleWindow (both in-place interfaces)
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
  // IOleInPlaceObject
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override;
  // IOleInPlaceActiveObject
  STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
  STDMETHODIMP OnMnemonic(MSG* msg) override;
  STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
  STDMETHODIMP FreezeEvents(BOOL freeze) override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                    HDC targetDev, HDC drawDc, LPCRECTL bounds, LPCRECTL wBounds,
                    BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
  STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                           HDC targetDev, LOGPALETTE** colors) override;
  STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
  STDMETHODIMP Unfreeze(DWORD freeze) override;
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

  // IPersist, IPersistStreamInit, IPersistPropertyBag
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(LPSTREAM stream) override;
  STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  STDMETHODIMP InitNew() override;
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

  // IProvideClassInfo2
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
  STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** out) override;

  // The control's window procedure (gleam_window_win.cpp).
  LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  friend class GleamEvents;
  IUnknown* Identity() { return static_cast<_Gleam*>(this); }

  // Window side (gleam_window_win.cpp).
  bool CreateControlWindow(HWND parent, const RECT& pos);
  void DestroyControlWindow();
  void Reshape();                  // region of the current size, then repaint
  void Repaint();                  // paint steps on the window, then Paint
  void PaintFace(HDC dc, int widthPx, int heightPx, int dpi);
  void PaintBands(HDC dc, int widthPx, int heightPx, int dpi, ColourRef c, bool topToBottom,
                  std::int16_t dc3);
  void DrawCaption(HDC dc, int xTwips, int yTwips, int dpi);
  int Dpi() const;
  void ApplyLook(bool changed);    // repaint and start/stop the hover timer
  void FireClick();
  void FireKeyPress(WPARAM ch);

  // What a screen reader hears (gleam_window_win.cpp): the caption, a push
  // button, its state, and "按下" as its default action, which clicks it.
  bool Name(HWND window, long child, std::wstring* name) override;
  bool Role(HWND window, long child, long* role) override;
  bool State(HWND window, long child, long* state) override;
  bool DefaultAction(HWND window, long child, std::wstring* action) override;
  bool DoDefaultAction(HWND window, long child) override;

  // Properties (persistence in gleam_persist_win.cpp).
  void ResetProperties();
  void PropertyChanged(bool repaint);

  LONG refs_ = 1;
  GleamEvents events_{this};

  bool enabled_ = kDefaultEnabled;
  ColourRef foreColor_ = kDefaultForeColor;
  LONG posX_ = kDefaultPosX;
  LONG posY_ = kDefaultPosY;
  ColourRef textColor_ = kDefaultTextColor;
  std::wstring text_;
  bool dirty_ = false;

  GleamStates states_;
  bool timerOn_ = false;
  bool leftDown_ = false;           // left button pressed on the control
  int eventsFrozen_ = 0;             // IOleControl::FreezeEvents nesting

  SIZEL extent_{};                  // HIMETRIC
  IOleClientSite* site_ = nullptr;  // one reference
  IOleInPlaceSite* inPlaceSite_ = nullptr;  // one reference while active
  IAdviseSink* adviseSink_ = nullptr;       // IOleObject::Advise, one reference
  IAdviseSink* viewSink_ = nullptr;         // IViewObject::SetAdvise, one reference
  HWND hwnd_ = nullptr;
  quillet::win::AccessibleAnswer accessible_;  // the window's client object
};

}  // namespace lantoc
