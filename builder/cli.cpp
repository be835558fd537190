#include "builder/cli.h"

#include <stdio.h>
#include <string.h>

#include <string>

#include "builder/build_command.h"
#include "builder/build_options.h"
#include "builder/inspect_commands.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  qvsbuild build PROJECT -o OUT.exe [--flavour i686|x64] [--stub FILE] [--module FILE]\n"
    "                 [--uninstaller FILE] [--threads N] [--level 0-9] [--extreme]\n"
    "                 [--require-admin] [--add-english] [--quiet]\n"
    "                 [--sign FILE.pfx [--sign-password-file FILE] [--timestamp URL]]\n"
    "  qvsbuild list FILE\n"
    "  qvsbuild verify FILE\n"
    "  qvsbuild extract FILE -d DIR\n"
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
