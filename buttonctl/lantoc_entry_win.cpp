// Entry points of the control library: the class object of Gleam, the
// unload rule, registration machine-wide (class, ProgID "Lantoc.Gleam",
// type library) and the embedded type library.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

#include "buttonctl/gleam_control_win.h"

namespace lantoc {

void UnregisterGleamWindowClass();  // gleam_window_win.cpp

namespace {

HINSTANCE g_instance = nullptr;
LONG g_liveObjects = 0;  // objects of this DLL alive (controls, factories in use, enumerators)
LONG g_locks = 0;        // IClassFactory::LockServer
ITypeLib* g_typeLib = nullptr;  // loaded on first use, one reference

constexpr wchar_t kProgId[] = L"Lantoc.Gleam";
constexpr wchar_t kClassName[] = L"Lantoc Gleam";
constexpr DWORD kMiscStatusValue = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                   OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                   OLEMISC_SETCLIENTSITEFIRST;

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(g_instance, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  ::StringFromGUID2(guid, text, 40);
  return text;
}

class ClassFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  // The factory is static; its references count as live objects so that
  // the DLL stays while a client holds it.
  STDMETHODIMP_(ULONG) AddRef() override {
    ModuleAddRef();
    return 2;
  }
  STDMETHODIMP_(ULONG) Release() override {
    ModuleRelease();
    return 1;
  }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    GleamControl* control = new (std::nothrow) GleamControl;
    if (!control) return E_OUTOFMEMORY;
    // Created with one reference: query, then drop ours, so a failed query
    // frees the object.
    const HRESULT hr = control->QueryInterface(riid, out);
    control->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      InterlockedIncrement(&g_locks);
    } else {
      InterlockedDecrement(&g_locks);
    }
    return S_OK;
  }
};

ClassFactory g_factory;

// Writes one value (REG_SZ, or REG_DWORD-free: everything here is text)
// under HKLM\Software\Classes\<path>.
HRESULT SetClassesValue(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  const std::wstring full = L"Software\\Classes\\" + path;
  HKEY key = nullptr;
  LONG rc = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, full.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr);
  if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  rc = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  return HRESULT_FROM_WIN32(rc);
}

void DeleteClassesTree(const std::wstring& path) {
  HKEY classes = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_ALL_ACCESS, &classes) !=
      ERROR_SUCCESS) {
    return;
  }
  ::RegDeleteTreeW(classes, path.c_str());
  ::RegDeleteKeyW(classes, path.c_str());
  ::RegCloseKey(classes);
}

HRESULT EnsureTypeLib() {
  if (g_typeLib) return S_OK;
  const std::wstring path = ModulePath();
  return ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &g_typeLib);
}

}  // namespace

void ModuleAddRef() { InterlockedIncrement(&g_liveObjects); }
void ModuleRelease() { InterlockedDecrement(&g_liveObjects); }
HINSTANCE ModuleInstance() { return g_instance; }

HRESULT LoadGleamTypeInfo(REFGUID guid, ITypeInfo** info) {
  *info = nullptr;
  const HRESULT hr = EnsureTypeLib();
  if (FAILED(hr)) return hr;
  return g_typeLib->GetTypeInfoOfGuid(guid, info);
}

}  // namespace lantoc

using namespace lantoc;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_instance = instance;
    ::DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && !reserved) {
    UnregisterGleamWindowClass();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_Gleam) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, object);
}

STDAPI DllCanUnloadNow() {
  if (g_liveObjects != 0 || g_locks != 0) return S_FALSE;
  // Nothing of ours is alive: the cached type library can go too.
  if (g_typeLib) {
    g_typeLib->Release();
    g_typeLib = nullptr;
  }
  return S_OK;
}

// Machine-wide registration (HKLM\Software\Classes), as an installer or
// regsvr32 does it: Wine ignores per-user classes.
STDAPI DllRegisterServer() {
  const std::wstring path = ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  const std::wstring clsid = GuidText(CLSID_Gleam);
  const std::wstring key = L"CLSID\\" + clsid;
  const std::wstring misc = std::to_wstring(kMiscStatusValue);
  HRESULT hr = S_OK;
  const auto set = [&hr](const std::wstring& k, const wchar_t* name, const std::wstring& value) {
    if (SUCCEEDED(hr)) hr = SetClassesValue(k, name, value);
  };
  set(key, nullptr, kClassName);
  set(key + L"\\InprocServer32", nullptr, path);
  set(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  set(key + L"\\ProgID", nullptr, kProgId);
  set(key + L"\\VersionIndependentProgID", nullptr, kProgId);
  set(key + L"\\Control", nullptr, L"");
  set(key + L"\\TypeLib", nullptr, GuidText(LIBID_Lantoc));
  set(key + L"\\Version", nullptr, L"1.0");
  set(key + L"\\MiscStatus", nullptr, L"0");
  set(key + L"\\MiscStatus\\1", nullptr, misc);
  set(kProgId, nullptr, kClassName);
  set(std::wstring(kProgId) + L"\\CLSID", nullptr, clsid);
  if (FAILED(hr)) {
    DllUnregisterServer();
    return SELFREG_E_CLASS;
  }
  ITypeLib* lib = nullptr;
  hr = ::LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &lib);
  if (FAILED(hr)) {
    DllUnregisterServer();
    return SELFREG_E_TYPELIB;
  }
  lib->Release();
  return S_OK;
}

STDAPI DllUnregisterServer() {
  ::UnRegisterTypeLib(LIBID_Lantoc, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  DeleteClassesTree(L"CLSID\\" + GuidText(CLSID_Gleam));
  DeleteClassesTree(kProgId);
  return S_OK;
}

}  // extern "C"
