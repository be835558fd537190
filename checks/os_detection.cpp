#include "checks/os_detection.h"

int DetectOsCode() {
  OsVersion version;
  bool known = ReadOsVersion(&version);
  return ClassifyOsVersion(known, version);
}

int IsSystem64Bit() { return ReadNativeArchitecture() == kArchitectureOther ? 1 : 0; }
