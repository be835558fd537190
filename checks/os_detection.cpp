#include "checks/os_detection.h"

OsDetails DetectOsDetails() {
  OsDetails details;
  details.known = ReadOsVersion(&details.version);
  details.is64Bit = IsSystem64Bit() == 1;
  return details;
}

int IsSystem64Bit() { return ReadNativeArchitecture() == kArchitectureOther ? 1 : 0; }
