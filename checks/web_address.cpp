#include "checks/web_address.h"

#include "checks/browser_program.h"
#include "checks/os_detection.h"
#include "checks/system_environment.h"
#include "platform/user_side.h"

void OpenWebAddress(const std::string &address) {
  const OsDetails os = DetectOsDetails();
  CheckEnvironment env = SystemCheckEnvironment(ClassifyOsVersion(os), os, nullptr);
  std::string program = FindBrowserProgram(env);
  // The browser is the user's to work with: it never runs with the
  // administrator's rights of an elevated installer.
  UserStartRequest request;
  request.kind = kUserStartCommandLine;
  request.parameters = BrowserCommandLine(program, address);
  request.folder = CommandFolderPart(program);
  StartForUser(request);
}
