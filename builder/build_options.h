// Options of "qvsbuild build" and their parsing.
#ifndef QVS_BUILDER_BUILD_OPTIONS_H
#define QVS_BUILDER_BUILD_OPTIONS_H

#include <stdint.h>

#include <string>

struct BuildOptions {
  std::string project;
  std::string output;
  std::string flavour;  // "i686" (default) or "x64"
  std::string stubPath;  // empty: QVS_STUB, then the build tree
  std::string modulePath;  // empty: QVS_MODULE, then the build tree
  // The uninstaller image for a project without its own Uninstaller.exe;
  // empty: QVS_UNINSTALLER, then the build tree.
  std::string uninstallerPath;
  uint32_t threads;  // 0: one per hardware thread
  uint32_t level;  // LZMA preset, 6 by default
  bool extreme;
  bool requireAdmin;  // forces the flag on; else the script's [Builder] decides
  bool addEnglish;
  bool quiet;
  bool strict;  // the script checks' warnings refuse the build too
  // Code signing (signing.h): the certificate with its private key, a
  // PKCS#12 file; empty: unsigned. The password comes from
  // `signPasswordFile` when set, else QVS_SIGN_PASSWORD.
  std::string signCertificate;
  std::string signPasswordFile;
  std::string timestampUrl;  // empty: no time stamp
};

void DefaultBuildOptions(BuildOptions *options);

// Parses the arguments that follow "build". False with *error on an unknown
// option, a missing or bad value, or a missing project or output.
bool ParseBuildOptions(int argc, char **argv, BuildOptions *options, std::string *error);

#endif
