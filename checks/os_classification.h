// What the running Windows is, as the OS code and as the listed system it
// acts as. Portable: the detection (os_detection.h) reads the system into an
// OsDetails record once; everything here only reads that record.
//
// The OS code keeps the classification the requirement check uses: every
// Windows after 7 and Server 2008 R2 is kOsOther there, and a script's
// per-system switches neither allow nor refuse it. Every other rule that
// depends on the system (path variables, task and item filters, the system
// tasks, the wizard's choices, the uninstaller) asks OsCodeActingAs, so
// that the systems people run today behave as the newest listed one of
// their kind.
#ifndef QVS_CHECKS_OS_CLASSIFICATION_H
#define QVS_CHECKS_OS_CLASSIFICATION_H

#include <string>

#include "checks/os_codes.h"
#include "platform/system_info.h"

// What the detection read about the running system.
struct OsDetails {
  // False when the system would not tell its version; `version` is then
  // empty.
  bool known = false;
  OsVersion version;
  bool is64Bit = false;
};

// The OS code of the detected version: kOsOther for a failed detection,
// for versions after the listed ones and for unlisted minor versions.
int ClassifyOsVersion(const OsDetails &details);

// The listed system the running one acts as. A listed code acts as itself;
// NT 6.2 and later (Windows 8 to 11, Server 2012 and later) act as
// Windows 7 on a workstation and as Server 2008 on a server; a failed
// detection acts as Windows 7, the newest workstation. Anything else (an
// unlisted minor version of an old family) stays kOsOther and acts as none.
int OsCodeActingAs(int osCode, const OsDetails &details);

// The name of a code of the table ("Windows 7", "Windows Server 2008");
// empty for kOsOther and codes outside it.
const char *ListedSystemName(int osCode);

// The log's account of the system: the real version, build, kind and width,
// the OS code and what it acts as, such as "Windows 10.0 build 22631,
// workstation, 64-bit (OS code 100, acts as Windows 7)".
std::string DescribeRunningSystem(int osCode, const OsDetails &details);

#endif
