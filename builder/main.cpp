// qvsbuild: turns a project folder into an installer, and lists, verifies
// or extracts one. The work lives in qvs_builder_lib.
#include <string>
#include <vector>

#include "builder/cli.h"
#include "builder/os_system.h"

int main(int argc, char **argv) {
  PrepareConsole();
  // UTF-8 on every host (on Windows read from the wide command line).
  std::vector<std::string> arguments = ProgramArguments(argc, argv);
  std::vector<char *> pointers;
  for (std::string &argument : arguments) pointers.push_back(&argument[0]);
  pointers.push_back(nullptr);
  return RunCommandLine((int)arguments.size(), pointers.data());
}
