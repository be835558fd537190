// Where the stub, the unpacker module and the default uninstaller come from
// when the command line does not say: the environment (QVS_STUB, QVS_MODULE,
// QVS_UNINSTALLER), else the files of the flavour beside the builder.
//
// Beside the builder means one of two layouts, tried in this order:
//   distribution   <builder dir>/<flavour>/qvssetup.exe, qvsunpack.dll,
//                  qvsuninst.exe (the Windows distribution folder, where
//                  qvsbuild.exe finds its stubs beside itself)
//   build tree     <builder dir>/../../<flavour>/startup/qvssetup.exe,
//                  .../module/qvsunpack.dll, .../uninstaller/qvsuninst.exe
//                  (build/host/builder/qvsbuild finds build/i686/...)
// The distribution layout counts when its flavour folder exists.
#ifndef QVS_BUILDER_STUB_LOCATOR_H
#define QVS_BUILDER_STUB_LOCATOR_H

#include <string>

// The path to use: `given` when set, else the environment variable
// `envName`, else `relative` (e.g. "startup/qvssetup.exe", whose file name
// alone is used in the distribution layout) for the flavour beside the
// builder.
std::string ResolveBuildInput(const std::string &given, const char *envName,
                              const std::string &flavour, const char *relative);

#endif
