#include "builder/cli.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "builder/build_command.h"
#include "builder/build_options.h"
#include "builder/check_command.h"
#include "builder/inspect_commands.h"
#include "builder/new_command.h"
#include "builder/os_system.h"
#include "builder/script_reference.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  qvsbuild build PROJECT -o OUT.exe [--flavour i686|x64] [--stub FILE] [--module FILE]\n"
    "                 [--uninstaller FILE] [--threads N] [--level 0-9] [--extreme]\n"
    "                 [--require-admin] [--add-english] [--strict] [--quiet]\n"
    "                 [--sign FILE.pfx [--sign-password-file FILE] [--timestamp URL]]\n"
    "  qvsbuild check PROJECT [--strict] [--add-english]\n"
    "  qvsbuild new FOLDER\n"
    "  qvsbuild reference\n"
    "  qvsbuild list FILE\n"
    "  qvsbuild verify FILE\n"
    "  qvsbuild extract FILE -d DIR\n"
    "check: the script and language files, as every build checks them (--strict: warnings\n"
    "count as errors). new: a complete project to start from. reference: the script\n"
    "reference (docs/script-reference.md) on standard output.\n"
    "FILE is an installer made by qvsbuild or a bare archive.\n";

int Usage(const char *problem) {
  if (problem != NULL) fprintf(stderr, "qvsbuild: %s\n", problem);
  fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int RunCommandLine(int argc, char **argv) {
  if (argc < 2) return Usage(NULL);
  std::string command = argv[1];
  if (command == "-h" || command == "--help" || command == "help") {
    fputs(kUsage, stdout);
    return 0;
  }
  if (command == "build") {
    BuildOptions options;
    DefaultBuildOptions(&options);
    std::string error;
    if (!ParseBuildOptions(argc - 2, argv + 2, &options, &error)) return Usage(error.c_str());
    return RunBuild(options);
  }
  if (command == "check") {
    std::string error;
    const int result = RunCheck(argc - 2, argv + 2, &error);
    return result == 2 ? Usage(error.c_str()) : result;
  }
  if (command == "new") {
    if (argc != 3) return Usage("new takes one folder");
    std::string error;
    if (!WriteNewProject(argv[2], &error)) {
      fprintf(stderr, "qvsbuild: %s\n", error.c_str());
      return 1;
    }
    printf("%s: a new project; check it with \"qvsbuild check %s\"\n", argv[2], argv[2]);
    return 0;
  }
  if (command == "reference") {
    if (argc != 2) return Usage("reference takes no argument");
    KeepBytesUnchanged(stdout);  // the very bytes of docs/script-reference.md
    return RunReference(stdout);
  }
  if (command == "list" || command == "verify") {
    if (argc != 3) return Usage((command + " takes one file").c_str());
    return command == "list" ? RunList(argv[2], stdout) : RunVerify(argv[2], stdout);
  }
  if (command == "extract") {
    if (argc != 5 || strcmp(argv[3], "-d") != 0) return Usage("extract takes FILE -d DIR");
    return RunExtract(argv[2], argv[4], stdout);
  }
  return Usage(("unknown command " + command).c_str());
}
