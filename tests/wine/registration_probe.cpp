// A DLL for the DLL-registration task's test: registering it leaves a
// trace that the test reads back. Built twice: as registration_probe.dll,
// whose DllRegisterServer writes HKCU\Software\QvsTest\Probe "Registered",
// and with QVS_PROBE_FAILS as registration_probe_failing.dll, which
// reports failure (so regsvr32 ends with a non-zero code).
#include <windows.h>

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer() {
#ifdef QVS_PROBE_FAILS
  return E_FAIL;
#else
  HKEY key = NULL;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QvsTest\\Probe", 0, NULL, 0, KEY_ALL_ACCESS,
                      NULL, &key, NULL) != ERROR_SUCCESS) {
    return E_FAIL;
  }
  const DWORD one = 1;
  RegSetValueExA(key, "Registered", 0, REG_DWORD, (const BYTE *)&one, sizeof one);
  RegCloseKey(key);
  return S_OK;
#endif
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllUnregisterServer() { return S_OK; }
