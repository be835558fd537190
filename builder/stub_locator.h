// Where the stub and the unpacker module come from when the command line
// does not say: the environment (QVS_STUB, QVS_MODULE), else the build tree
// next to the builder, <builder dir>/../../<flavour>/startup/qvssetup.exe
// and .../module/qvsunpack.dll (build/host/builder/qvsbuild finds
// build/i686/startup/qvssetup.exe).
#ifndef QVS_BUILDER_STUB_LOCATOR_H
#define QVS_BUILDER_STUB_LOCATOR_H

#include <string>

// The folder holding the running executable, or empty when unknown.
std::string ExecutableFolder();

// The stub or module path to use: `given` when set, else the environment
// variable `envName`, else `relative` (e.g. "startup/qvssetup.exe") below
// the flavour's build folder.
std::string ResolveBuildInput(const std::string &given, const char *envName,
                              const std::string &flavour, const char *relative);

#endif
