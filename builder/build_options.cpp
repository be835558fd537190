#include "builder/build_options.h"

#include <string.h>

namespace {

bool ParseNumber(const char *text, uint32_t low, uint32_t high, uint32_t *value) {
  if (text == NULL || *text == '\0' || strlen(text) > 9) return false;
  uint32_t result = 0;
  for (const char *p = text; *p != '\0'; p++) {
    if (*p < '0' || *p > '9') return false;
    result = result * 10 + (uint32_t)(*p - '0');
  }
  if (result < low || result > high) return false;
  *value = result;
  return true;
}

}  // namespace

void DefaultBuildOptions(BuildOptions *options) {
  options->project.clear();
  options->output.clear();
  options->flavour = "i686";
  options->stubPath.clear();
  options->modulePath.clear();
  options->uninstallerPath.clear();
  options->threads = 0;
  options->level = 6;
  options->extreme = false;
  options->requireAdmin = false;
  options->addEnglish = false;
  options->quiet = false;
  options->strict = false;
  options->signCertificate.clear();
  options->signPasswordFile.clear();
  options->timestampUrl.clear();
}

bool ParseBuildOptions(int argc, char **argv, BuildOptions *options, std::string *error) {
  for (int i = 0; i < argc; i++) {
    std::string arg = argv[i];
    const char *value = i + 1 < argc ? argv[i + 1] : NULL;
    bool takesValue = arg == "-o" || arg == "--flavour" || arg == "--stub" || arg == "--module" ||
                      arg == "--uninstaller" || arg == "--threads" || arg == "--level" ||
                      arg == "--sign" || arg == "--sign-password-file" || arg == "--timestamp";
    if (takesValue && value == NULL) {
      *error = arg + " needs a value";
      return false;
    }
    if (arg == "-o") {
      options->output = value;
    } else if (arg == "--flavour") {
      options->flavour = value;
      if (options->flavour != "i686" && options->flavour != "x64") {
        *error = "--flavour must be i686 or x64";
        return false;
      }
    } else if (arg == "--stub") {
      options->stubPath = value;
    } else if (arg == "--module") {
      options->modulePath = value;
    } else if (arg == "--uninstaller") {
      options->uninstallerPath = value;
    } else if (arg == "--threads") {
      if (!ParseNumber(value, 1, 256, &options->threads)) {
        *error = "--threads must be a number from 1 to 256";
        return false;
      }
    } else if (arg == "--level") {
      if (!ParseNumber(value, 0, 9, &options->level)) {
        *error = "--level must be a number from 0 to 9";
        return false;
      }
    } else if (arg == "--extreme") {
      options->extreme = true;
    } else if (arg == "--require-admin") {
      options->requireAdmin = true;
    } else if (arg == "--add-english") {
      options->addEnglish = true;
    } else if (arg == "--quiet") {
      options->quiet = true;
    } else if (arg == "--strict") {
      options->strict = true;
    } else if (arg == "--sign") {
      options->signCertificate = value;
    } else if (arg == "--sign-password-file") {
      options->signPasswordFile = value;
    } else if (arg == "--timestamp") {
      options->timestampUrl = value;
    } else if (!arg.empty() && arg[0] == '-') {
      *error = "unknown option " + arg;
      return false;
    } else if (options->project.empty()) {
      options->project = arg;
    } else {
      *error = "unexpected argument " + arg;
      return false;
    }
    if (takesValue) i++;
  }
  if (options->project.empty()) {
    *error = "no project folder given";
    return false;
  }
  if (options->output.empty()) {
    *error = "no output file given (-o OUT.exe)";
    return false;
  }
  if (options->signCertificate.empty() &&
      (!options->signPasswordFile.empty() || !options->timestampUrl.empty())) {
    *error = "--sign-password-file and --timestamp need --sign FILE.pfx";
    return false;
  }
  return true;
}
