#include "checks/web_address.h"

#include "checks/browser_program.h"
#include "checks/os_detection.h"
#include "checks/system_environment.h"
#include "platform/program_start.h"

void OpenWebAddress(const std::string &address) {
  const OsDetails os = DetectOsDetails();
  CheckEnvironment env = SystemCheckEnvironment(ClassifyOsVersion(os), os, nullptr);
  std::string program = FindBrowserProgram(env);
  StartDetachedProgram(BrowserCommandLine(program, address), CommandFolderPart(program));
}
