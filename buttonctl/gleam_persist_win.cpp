// Gleam's stored properties: new defaults, the property bag of the host
// window (keys "Enabled", "ForeColor", "PosX", "PosY", "TextColor",
// "Text"), and a binary stream for containers that store controls in
// streams.
#include "buttonctl/gleam_control_win.h"
#include "buttonctl/gleam_stream.h"

namespace lantoc {

namespace {

HRESULT ReadExact(IStream* stream, void* buffer, ULONG size) {
  ULONG got = 0;
  const HRESULT hr = stream->Read(buffer, size, &got);
  if (FAILED(hr)) return hr;
  return got == size ? S_OK : STG_E_READFAULT;
}

HRESULT WriteExact(IStream* stream, const void* buffer, ULONG size) {
  ULONG put = 0;
  const HRESULT hr = stream->Write(buffer, size, &put);
  if (FAILED(hr)) return hr;
  return put == size ? S_OK : STG_E_WRITEFAULT;
}

// Reads one property from the bag converted to type; false when the key is
// missing or its value cannot be converted (the caller keeps the default).
bool ReadBag(IPropertyBag* bag, IErrorLog* log, const char16_t* key, VARTYPE type,
             VARIANT* value) {
  VARIANT raw;
  ::VariantInit(&raw);
  raw.vt = type;  // the type we would like; the bag may answer another
  auto* name = const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(key));
  if (FAILED(bag->Read(name, &raw, log))) {
    ::VariantClear(&raw);
    return false;
  }
  ::VariantInit(value);
  const HRESULT hr = ::VariantChangeType(value, &raw, 0, type);
  ::VariantClear(&raw);
  return SUCCEEDED(hr);
}

HRESULT WriteBag(IPropertyBag* bag, const char16_t* key, VARIANT* value) {
  auto* name = const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(key));
  return bag->Write(name, value);
}

}  // namespace

void GleamControl::ResetProperties() {
  enabled_ = kDefaultEnabled;
  foreColor_ = kDefaultForeColor;
  posX_ = kDefaultPosX;
  posY_ = kDefaultPosY;
  textColor_ = kDefaultTextColor;
  text_.clear();
}

void GleamControl::PropertyChanged(bool repaint) {
  dirty_ = true;
  if (repaint) Repaint();
}

STDMETHODIMP GleamControl::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_Gleam;
  return S_OK;
}

STDMETHODIMP GleamControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP GleamControl::InitNew() {
  ResetProperties();
  if (hwnd_) ::EnableWindow(hwnd_, TRUE);
  dirty_ = false;
  Repaint();
  return S_OK;
}

STDMETHODIMP GleamControl::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  char head[kGleamStreamHeadBytes];
  HRESULT hr = ReadExact(stream, head, sizeof head);
  if (FAILED(hr)) return hr;
  const auto textBytes = GleamStreamTextBytes(std::string_view(head, sizeof head));
  if (!textBytes) return E_FAIL;
  GleamProperties p;
  std::wstring newText;
  hr = NoThrow([&] {
    std::string text(*textBytes, '\0');
    if (!text.empty()) {
      const HRESULT read = ReadExact(stream, text.data(), static_cast<ULONG>(text.size()));
      if (FAILED(read)) return read;
    }
    p = ReadGleamStream(std::string_view(head, sizeof head), text);
    newText.assign(p.text.begin(), p.text.end());
    return S_OK;
  });
  if (FAILED(hr)) return hr;
  // All read and checked: only now replace the properties.
  enabled_ = p.enabled;
  foreColor_ = p.foreColor;
  posX_ = p.posX;
  posY_ = p.posY;
  textColor_ = p.textColor;
  text_.swap(newText);
  if (hwnd_) ::EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
  dirty_ = false;
  Repaint();
  return S_OK;
}

STDMETHODIMP GleamControl::Save(LPSTREAM stream, BOOL clearDirty) {
  if (!stream) return E_POINTER;
  const HRESULT hr = NoThrow([&] {
    const auto bytes = GleamStreamBytes({enabled_, foreColor_, posX_, posY_, textColor_,
                                         std::u16string(text_.begin(), text_.end())});
    if (!bytes) return E_FAIL;
    return WriteExact(stream, bytes->data(), static_cast<ULONG>(bytes->size()));
  });
  if (FAILED(hr)) return hr;
  if (clearDirty) dirty_ = false;
  return S_OK;
}

STDMETHODIMP GleamControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  size->QuadPart = kGleamStreamHeadBytes + text_.size() * sizeof(wchar_t);
  return S_OK;
}

STDMETHODIMP GleamControl::Load(IPropertyBag* bag, IErrorLog* log) {
  if (!bag) return E_POINTER;
  ResetProperties();
  VARIANT v;
  if (ReadBag(bag, log, kKeyEnabled, VT_BOOL, &v)) enabled_ = v.boolVal != VARIANT_FALSE;
  if (ReadBag(bag, log, kKeyForeColor, VT_I4, &v)) foreColor_ = static_cast<ColourRef>(v.lVal);
  if (ReadBag(bag, log, kKeyPosX, VT_I4, &v)) posX_ = v.lVal;
  if (ReadBag(bag, log, kKeyPosY, VT_I4, &v)) posY_ = v.lVal;
  if (ReadBag(bag, log, kKeyTextColor, VT_I4, &v)) textColor_ = static_cast<ColourRef>(v.lVal);
  if (ReadBag(bag, log, kKeyText, VT_BSTR, &v)) {
    const HRESULT hr = NoThrow([&] {
      text_.assign(v.bstrVal ? v.bstrVal : L"", v.bstrVal ? ::SysStringLen(v.bstrVal) : 0);
      return S_OK;
    });
    ::VariantClear(&v);
    if (FAILED(hr)) return hr;
  }
  if (hwnd_) ::EnableWindow(hwnd_, enabled_ ? TRUE : FALSE);
  dirty_ = false;
  Repaint();
  return S_OK;
}

STDMETHODIMP GleamControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) {
  if (!bag) return E_POINTER;
  HRESULT hr = S_OK;
  VARIANT v;
  ::VariantInit(&v);
  const auto writeLong = [&](const char16_t* key, LONG value, LONG fallback) {
    if (FAILED(hr) || (value == fallback && !saveAll)) return;
    v.vt = VT_I4;
    v.lVal = value;
    hr = WriteBag(bag, key, &v);
  };
  if (enabled_ != kDefaultEnabled || saveAll) {
    v.vt = VT_BOOL;
    v.boolVal = enabled_ ? VARIANT_TRUE : VARIANT_FALSE;
    hr = WriteBag(bag, kKeyEnabled, &v);
  }
  writeLong(kKeyForeColor, static_cast<LONG>(foreColor_), static_cast<LONG>(kDefaultForeColor));
  writeLong(kKeyPosX, posX_, kDefaultPosX);
  writeLong(kKeyPosY, posY_, kDefaultPosY);
  writeLong(kKeyTextColor, static_cast<LONG>(textColor_), static_cast<LONG>(kDefaultTextColor));
  if (SUCCEEDED(hr) && (!text_.empty() || saveAll)) {
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocStringLen(text_.data(), static_cast<UINT>(text_.size()));
    hr = v.bstrVal ? WriteBag(bag, kKeyText, &v) : E_OUTOFMEMORY;
    ::VariantClear(&v);
  }
  if (FAILED(hr)) return hr;
  if (clearDirty) dirty_ = false;
  Repaint();
  return S_OK;
}

}  // namespace lantoc
