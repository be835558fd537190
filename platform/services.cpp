#include "platform/services.h"

#include <windows.h>

bool CanOpenServiceManager(uint32_t access) {
  SC_HANDLE manager = OpenSCManagerA(NULL, NULL, access);
  if (manager == NULL) return false;
  CloseServiceHandle(manager);
  return true;
}
