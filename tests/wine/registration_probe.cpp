// A DLL for the DLL-registration task's test and the uninstall scenarios:
// registering it leaves a trace that the test reads back, unregistering it
// takes the trace away. Built twice: as registration_probe.dll,
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

// Takes the trace away again: the value, its key, and the key above it
// when nothing else is left there (RegDeleteKeyA refuses a key with subkeys).
extern "C" __declspec(dllexport) HRESULT __stdcall DllUnregisterServer() {
#ifdef QVS_PROBE_FAILS
  return E_FAIL;
#else
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QvsTest\\Probe");
  HKEY parent = NULL;
  DWORD subkeys = 1, values = 1;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QvsTest", 0, KEY_READ, &parent) ==
      ERROR_SUCCESS) {
    RegQueryInfoKeyA(parent, NULL, NULL, NULL, &subkeys, NULL, NULL, &values, NULL, NULL, NULL,
                     NULL);
    RegCloseKey(parent);
    if (subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QvsTest");
  }
  return S_OK;
#endif
}
