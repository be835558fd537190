#include "engine/install/install_plan.h"

#include <string.h>

#include "format/component_id.h"
#include "script/ansi_text.h"
#include "script/reserved_names.h"

namespace {

// Characters Windows refuses in file names besides the separators.
const char kForbiddenNameCharacters[] = "<>:\"|?*/";

bool IsSafeComponent(const std::string &part, const std::vector<std::string> &reservedNames) {
  if (part.empty() || part == "." || part == "..") return false;
  for (unsigned char c : part)
    if (c < 32 || strchr(kForbiddenNameCharacters, (char)c) != NULL) return false;
  const char last = part[part.size() - 1];
  if (last == '.' || last == ' ') return false;
  // "CON", "con.txt" and "Con .log" all name the device.
  const std::string base = part.substr(0, part.find('.'));
  return !IsReservedName(reservedNames, base);
}

// Where the first folder that can be created begins: after "C:\" or after
// the share of "\\server\share\".
size_t FirstCreatablePosition(const std::string &path) {
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    size_t server = path.find('\\', 2);
    size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share + 1;
  }
  if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
  return !path.empty() && path[0] == '\\' ? 1 : 0;
}

}  // namespace

bool ParseEntryComponentId(const std::string &entryName, int32_t *componentId,
                           std::string *relative) {
  const size_t separator = entryName.find('\\');
  uint32_t id = 0;
  if (separator == std::string::npos ||
      !ParseCanonicalComponentId(entryName.data(), separator, &id))
    return false;
  *componentId = (int32_t)id;
  *relative = entryName.substr(separator + 1);
  return true;
}

bool IsSafeRelativePath(const std::string &relative,
                        const std::vector<std::string> &reservedNames) {
  if (relative.empty()) return false;
  size_t start = 0;
  for (;;) {
    const size_t end = relative.find('\\', start);
    const std::string part =
        relative.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!IsSafeComponent(part, reservedNames)) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

EntryPlacement PlaceArchiveEntry(const std::string &entryName, const std::string &configPrefix,
                                 const std::vector<ComponentFolder> &folders,
                                 bool (*isSelected)(int32_t componentId, void *context),
                                 void *context, const std::vector<std::string> &reservedNames,
                                 EntryDestination *out) {
  if (!configPrefix.empty() && entryName.find(configPrefix) != std::string::npos)
    return kEntryConfiguration;
  int32_t componentId = 0;
  std::string relative;
  if (!ParseEntryComponentId(entryName, &componentId, &relative)) return kEntryDamaged;
  // A tampered name is refused whether or not its component is installed:
  // the installer is damaged either way.
  if (!IsSafeRelativePath(relative, reservedNames)) return kEntryDamaged;
  if (isSelected == NULL || !isSelected(componentId, context)) return kEntryUnselected;
  const ComponentFolder *found = NULL;
  for (const ComponentFolder &candidate : folders) {
    if (candidate.componentId == componentId) {
      found = &candidate;
      break;
    }
  }
  if (found == NULL) return kEntryUnselected;
  out->componentId = componentId;
  out->relative = relative;
  out->destination = WithTrailingBackslash(found->folder) + relative;
  out->folder = out->destination.substr(0, out->destination.rfind('\\') + 1);
  return kEntryInstall;
}

std::string UninstallerFileName(int number, const char *extension) {
  return "Uninst" + std::to_string(number) + extension;
}

int ChooseUninstallerNumber(const std::string &installPath,
                            bool (*exists)(const std::string &path), int limit) {
  for (int n = 0; n < limit; n++) {
    if (!exists(installPath + UninstallerFileName(n, ".exe")) &&
        !exists(installPath + UninstallerFileName(n, ".dat")))
      return n;
  }
  return -1;
}

std::vector<std::string> FolderLevels(const std::string &path) {
  std::vector<std::string> levels;
  for (size_t i = FirstCreatablePosition(path); i < path.size(); i++)
    if (path[i] == '\\') levels.push_back(path.substr(0, i + 1));
  return levels;
}
