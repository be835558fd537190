#include "wizard/folder_path_limit.h"

#include <utility>
#include <vector>

#include "checks/path_expansion.h"
#include "engine/install/install_plan.h"
#include "engine/state/installer_script.h"
#include "engine/state/payload_state.h"
#include "script/ansi_text.h"
#include "script/path_rules.h"
#include "wizard/install_folder_text.h"

namespace {

// A drive ("C:\") or a share ("\\server"): not below the install folder.
bool IsRootedFolder(const std::string &folder) {
  return (folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\') ||
         (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\');
}

}  // namespace

bool InstallFolderFitsPathLimit(const std::string &folder,
                                bool (*isSelected)(int32_t componentId, const void *context),
                                const void *context) {
  const std::string base = WithTrailingBackslash(folder);
  // The components' folders as the installation will resolve them: the
  // principal component's is the install folder, and a component variable
  // such as <ProductDir> already names the folder of the component it
  // belongs to when a later component's path uses it.
  std::vector<std::pair<std::string, std::string>> resolved;
  std::vector<std::string> files;
  for (const Component &component : InstallerScript().settings.components) {
    std::string where = base;
    if (component.IsPrincipal != 1) {
      where = component.InstallationPath;
      for (const auto &variable : resolved)
        where = ReplaceIgnoringCase(where, variable.first, variable.second);
      where = ReplacePathVariables(where);
      if (!IsRootedFolder(where)) where = base + where;
    }
    where = WithTrailingBackslash(where);
    const std::string token = TrimSpaces(component.PathVariable);
    if (!token.empty()) resolved.push_back({token, where.substr(0, where.size() - 1)});
    // A folder of its own elsewhere does not depend on the one typed here.
    std::string below;
    if (!isSelected(component.ID, context) || !IsBelowFolder(base, where, &below)) continue;
    for (const ComponentFileGroup &group : Payload().componentFiles) {
      if (group.componentId != component.ID) continue;
      for (const ProductFile &file : group.files) {
        int32_t id = 0;
        std::string relative;
        if (ParseEntryComponentId(file.entryName, &id, &relative)) files.push_back(below + relative);
      }
    }
  }
  return FitsWindowsPathLimit(folder, files);
}
