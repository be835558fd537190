// Whether a product's uninstaller could be written: the installer leaves
// its data file (format/uninstaller_data.h) only within that file's limits,
// 64 MiB and 1,048,576 created files or folders. The builder works out the
// file at its largest, below an install folder of kInstallFolderAllowance
// characters (format/payload_limits.h), and refuses a product that would
// pass a limit, rather than let its installations end without an
// uninstaller.
#ifndef QVS_BUILDER_UNINSTALLER_CEILING_H
#define QVS_BUILDER_UNINSTALLER_CEILING_H

#include <stdint.h>

#include <string>

#include "builder/project.h"

// The data file at its largest for `project`.
struct UninstallerDataEstimate {
  uint64_t files = 0;    // created files, the product's and the installer's own
  uint64_t folders = 0;  // created folders
  uint64_t bytes = 0;
};
UninstallerDataEstimate EstimateUninstallerData(const Project &project);

// Why the project's uninstaller could not be written, or empty when it
// fits (or the script makes no uninstaller).
std::string UninstallerDataProblem(const Project &project);

#endif
