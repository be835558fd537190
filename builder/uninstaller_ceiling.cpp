#include "builder/uninstaller_ceiling.h"

#include <set>

#include "builder/script_checks.h"
#include "format/payload_limits.h"
#include "format/uninstaller_data.h"

namespace {

// Created files besides the product's: the uninstaller's two files and the
// start-menu group's shortcuts and the shortcut tasks' links, at most.
const uint64_t kOwnFiles = 64;
// The install folder's own levels: one every two characters at most.
const uint64_t kInstallFolderLevels = kInstallFolderAllowance / 2;
// The rest of the file (language lines, settings, components, tasks) is
// bounded by the script that names it, twice over, and a margin.
const uint64_t kOtherBytes = 64 * 1024;

// "f" + number + "=" + path + CR LF.
uint64_t LineBytes(uint64_t number, uint64_t pathLength) {
  return 1 + std::to_string(number).size() + 1 + pathLength + 2;
}

}  // namespace

UninstallerDataEstimate EstimateUninstallerData(const Project &project) {
  UninstallerDataEstimate estimate;
  const uint64_t base = kInstallFolderAllowance + 1;  // the folder and its "\"
  std::set<std::string> folders;
  for (const InputFile &file : project.productEntries) {
    const size_t slash = file.entryName.find('\\');
    const std::string relative =
        slash == std::string::npos ? file.entryName : file.entryName.substr(slash + 1);
    estimate.bytes += LineBytes(estimate.files++, base + relative.size());
    for (size_t at = relative.find('\\'); at != std::string::npos; at = relative.find('\\', at + 1))
      folders.insert(relative.substr(0, at + 1));
  }
  for (const std::string &folder : folders)
    estimate.bytes += LineBytes(estimate.folders++, base + folder.size());
  for (uint64_t i = 0; i < kInstallFolderLevels; i++)
    estimate.bytes += LineBytes(estimate.folders++, base);
  for (uint64_t i = 0; i < kOwnFiles; i++) estimate.bytes += LineBytes(estimate.files++, base + 64);
  estimate.bytes += kOtherBytes + 2 * (uint64_t)project.scriptText.size();
  return estimate;
}

std::string UninstallerDataProblem(const Project &project) {
  if (!ScriptCreatesUninstaller(project.scriptText)) return std::string();
  const UninstallerDataEstimate estimate = EstimateUninstallerData(project);
  std::string problem;
  if (estimate.files > kMaxUninstallerPathEntries || estimate.folders > kMaxUninstallerPathEntries)
    problem = std::to_string(estimate.files) + " files and " + std::to_string(estimate.folders) +
              " folders to remove, more than its " + std::to_string(kMaxUninstallerPathEntries) +
              " of each";
  else if (estimate.bytes > kMaxUninstallerDataSize)
    problem = "a data file of up to " + std::to_string(estimate.bytes >> 20) +
              " MiB below an install folder of " + std::to_string(kInstallFolderAllowance) +
              " characters, more than its " + std::to_string(kMaxUninstallerDataSize >> 20) +
              " MiB";
  if (problem.empty()) return problem;
  return "the installer could not write this product's uninstaller: it would need " + problem +
         " (split the product into several installers, shorten its paths, or set "
         "CreateUninstaller = 0)";
}
