// Entry points of the control library: the class object of Gleam, the
// unload rule, registration (class, ProgID "Lantoc.Gleam", type library)
// machine-wide or for the current user, and the embedded type library.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>
#include <vector>

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

// Writes one text value under <root>\Software\Classes\<path>: HKEY_LOCAL_MACHINE
// for every user, HKEY_CURRENT_USER for the user alone.
HRESULT SetClassesValue(HKEY root, const std::wstring& path, const wchar_t* name,
                        const std::wstring& value) {
  const std::wstring full = L"Software\\Classes\\" + path;
  HKEY key = nullptr;
  LONG rc = ::RegCreateKeyExW(root, full.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  rc = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  return HRESULT_FROM_WIN32(rc);
}

void DeleteClassesTree(HKEY root, const std::wstring& path) {
  HKEY classes = nullptr;
  if (::RegOpenKeyExW(root, L"Software\\Classes", 0, KEY_ALL_ACCESS, &classes) != ERROR_SUCCESS) {
    return;
  }
  ::RegDeleteTreeW(classes, path.c_str());
  ::RegDeleteKeyW(classes, path.c_str());
  ::RegCloseKey(classes);
}

// Collects values to write; the first failure stops the rest.
class ClassesWriter {
 public:
  explicit ClassesWriter(HKEY root) : root_(root) {}
  void Set(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    if (SUCCEEDED(hr_)) hr_ = SetClassesValue(root_, path, name, value);
  }
  HRESULT result() const { return hr_; }

 private:
  HKEY root_;
  HRESULT hr_ = S_OK;
};

// The class of the control and its ProgID.
void WriteClassKeys(ClassesWriter& w, const std::wstring& path) {
  const std::wstring clsid = GuidText(CLSID_Gleam);
  const std::wstring key = L"CLSID\\" + clsid;
  w.Set(key, nullptr, kClassName);
  w.Set(key + L"\\InprocServer32", nullptr, path);
  w.Set(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  w.Set(key + L"\\ProgID", nullptr, kProgId);
  w.Set(key + L"\\VersionIndependentProgID", nullptr, kProgId);
  w.Set(key + L"\\Control", nullptr, L"");
  w.Set(key + L"\\TypeLib", nullptr, GuidText(LIBID_Lantoc));
  w.Set(key + L"\\Version", nullptr, L"1.0");
  w.Set(key + L"\\MiscStatus", nullptr, L"0");
  w.Set(key + L"\\MiscStatus\\1", nullptr, std::to_wstring(kMiscStatusValue));
  w.Set(kProgId, nullptr, kClassName);
  w.Set(std::wstring(kProgId) + L"\\CLSID", nullptr, clsid);
}

// The interfaces of the type library that automation marshals, with the
// marshaller RegisterTypeLib would name: the dispatch-only one for a
// dispinterface, the type-library one for a dual interface.
struct AutomationInterface {
  std::wstring iid;
  std::wstring name;
  const wchar_t* proxy;
};

std::vector<AutomationInterface> AutomationInterfaces(ITypeLib* lib) {
  std::vector<AutomationInterface> found;
  const UINT count = lib->GetTypeInfoCount();
  for (UINT i = 0; i < count; ++i) {
    ITypeInfo* info = nullptr;
    if (FAILED(lib->GetTypeInfo(i, &info))) continue;
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attr))) {
      const bool dual = (attr->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION)) != 0;
      if (attr->typekind == TKIND_DISPATCH || (attr->typekind == TKIND_INTERFACE && dual)) {
        BSTR name = nullptr;
        info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
        found.push_back({GuidText(attr->guid), name ? name : L"",
                         dual ? L"{00020424-0000-0000-C000-000000000046}"
                              : L"{00020420-0000-0000-C000-000000000046}"});
        ::SysFreeString(name);
      }
      info->ReleaseTypeAttr(attr);
    }
    info->Release();
  }
  return found;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The type library for the current user, written as RegisterTypeLib writes
// it machine-wide (RegisterTypeLibForUser is not everywhere what its name
// says: Wine's registers for every user).
void WriteUserTypeLibKeys(ClassesWriter& w, const std::wstring& path, ITypeLib* lib) {
  const std::wstring libid = GuidText(LIBID_Lantoc);
  const std::wstring key = L"TypeLib\\" + libid + L"\\1.0";
  w.Set(key, nullptr, L"Lantoc");
#ifdef _WIN64
  w.Set(key + L"\\0\\win64", nullptr, path);
#else
  w.Set(key + L"\\0\\win32", nullptr, path);
#endif
  w.Set(key + L"\\FLAGS", nullptr, L"0");
  w.Set(key + L"\\HELPDIR", nullptr, FolderOf(path));
  for (const AutomationInterface& i : AutomationInterfaces(lib)) {
    const std::wstring ikey = L"Interface\\" + i.iid;
    w.Set(ikey, nullptr, i.name);
    w.Set(ikey + L"\\ProxyStubClsid", nullptr, i.proxy);
    w.Set(ikey + L"\\ProxyStubClsid32", nullptr, i.proxy);
    w.Set(ikey + L"\\TypeLib", nullptr, libid);
    w.Set(ikey + L"\\TypeLib", L"Version", L"1.0");
  }
}

void DeleteUserKeys() {
  const std::wstring path = ModulePath();
  ITypeLib* lib = nullptr;
  if (!path.empty() && SUCCEEDED(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib))) {
    for (const AutomationInterface& i : AutomationInterfaces(lib)) {
      DeleteClassesTree(HKEY_CURRENT_USER, L"Interface\\" + i.iid);
    }
    lib->Release();
  }
  DeleteClassesTree(HKEY_CURRENT_USER, L"TypeLib\\" + GuidText(LIBID_Lantoc));
  DeleteClassesTree(HKEY_CURRENT_USER, L"CLSID\\" + GuidText(CLSID_Gleam));
  DeleteClassesTree(HKEY_CURRENT_USER, kProgId);
}

HRESULT RegisterForUser() {
  const std::wstring path = ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  ITypeLib* lib = nullptr;
  if (FAILED(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib))) return SELFREG_E_TYPELIB;
  ClassesWriter w(HKEY_CURRENT_USER);
  WriteClassKeys(w, path);
  WriteUserTypeLibKeys(w, path, lib);
  lib->Release();
  if (FAILED(w.result())) {
    DeleteUserKeys();
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT EnsureTypeLib() {
  if (g_typeLib) return S_OK;
  const std::wstring path = ModulePath();
  return ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &g_typeLib);
}

HRESULT UnregisterMachineWide() {
  ::UnRegisterTypeLib(LIBID_Lantoc, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  DeleteClassesTree(HKEY_LOCAL_MACHINE, L"CLSID\\" + GuidText(CLSID_Gleam));
  DeleteClassesTree(HKEY_LOCAL_MACHINE, kProgId);
  return S_OK;
}

// Machine-wide registration (HKLM\Software\Classes), as an installer or
// regsvr32 does it with administrator rights.
HRESULT RegisterMachineWide() {
  const std::wstring path = ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  ClassesWriter w(HKEY_LOCAL_MACHINE);
  WriteClassKeys(w, path);
  if (FAILED(w.result())) {
    UnregisterMachineWide();
    return SELFREG_E_CLASS;
  }
  ITypeLib* lib = nullptr;
  const HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &lib);
  if (FAILED(hr)) {
    UnregisterMachineWide();
    return SELFREG_E_TYPELIB;
  }
  lib->Release();
  return S_OK;
}

HRESULT UnregisterForUser() {
  DeleteUserKeys();
  return S_OK;
}

}  // namespace

void ModuleAddRef() { InterlockedIncrement(&g_liveObjects); }
void ModuleRelease() { InterlockedDecrement(&g_liveObjects); }
HINSTANCE ModuleInstance() { return g_instance; }

HRESULT LoadGleamTypeInfo(REFGUID guid, ITypeInfo** info) {
  *info = nullptr;
  const HRESULT hr = NoThrow(EnsureTypeLib);
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

STDAPI DllRegisterServer() { return NoThrow(RegisterMachineWide); }

STDAPI DllUnregisterServer() { return NoThrow(UnregisterMachineWide); }

// regsvr32 /n /i:user (or /u /n /i:user): registration for the current user
// alone, under HKCU\Software\Classes, where no administrator is at hand.
// Any other command line registers machine-wide, as DllRegisterServer.
STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
  if (commandLine && ::CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) == CSTR_EQUAL) {
    return NoThrow(install ? RegisterForUser : UnregisterForUser);
  }
  return install ? DllRegisterServer() : DllUnregisterServer();
}

}  // extern "C"
