// Standard entry points of the control library. The control class itself
// is not served yet: every request answers "class not available".
#include <windows.h>
#include <ole2.h>

extern "C" {

STDAPI DllRegisterServer() { return E_NOTIMPL; }

STDAPI DllUnregisterServer() { return E_NOTIMPL; }

STDAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* object) {
  if (object) *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return S_OK; }

}  // extern "C"
