#include "startup/payload_entries.h"

#include <string.h>

#include "format/component_id.h"
#include "script/ansi_text.h"
#include "script/document.h"

namespace {

const char kPrefixEnds[] = "_$_";
// The configuration prefix's fifth "_"-separated field: seven digits.
const size_t kPrefixNumberField = 4;
const size_t kPrefixNumberLength = 7;

struct FixedEntry {
  const char *suffix;
  ConfigEntryKind kind;
};

const FixedEntry kFixedEntries[] = {
    {"\\Config\\Script.qvs", kConfigScript},
    {"\\Config\\Wizard.bmp", kConfigWizardImage},
    {"\\Config\\Header.bmp", kConfigHeaderImage},
    {"\\Config\\Background.bmp", kConfigBackgroundImage},
    {"\\Config\\Uninstaller.bin", kConfigUninstaller},
};

const FixedEntry kFolderEntries[] = {
    {"\\Languages\\", kConfigLanguage},
    {"\\Information\\", kConfigInformation},
    {"\\License\\", kConfigLicense},
};

std::string FirstComponent(const std::string &name) {
  size_t slash = name.find('\\');
  return slash == std::string::npos ? name : name.substr(0, slash);
}

// Length of the `index`-th "_"-separated field of `name`, or -1 when the
// name has fewer fields.
long FieldLength(const std::string &name, size_t index) {
  size_t start = 0;
  for (size_t field = 0; field < index; field++) {
    size_t underscore = name.find('_', start);
    if (underscore == std::string::npos) return -1;
    start = underscore + 1;
  }
  size_t end = name.find('_', start);
  if (end == std::string::npos) end = name.size();
  return (long)(end - start);
}

size_t LastSeparator(const std::string &name) { return name.find_last_of("\\/"); }

}  // namespace

bool IsConfigurationEntry(const std::string &name, std::string *prefix) {
  std::string first = FirstComponent(name);
  const size_t endsLength = sizeof kPrefixEnds - 1;
  if (first.size() < endsLength || first.compare(0, endsLength, kPrefixEnds) != 0 ||
      first.compare(first.size() - endsLength, endsLength, kPrefixEnds) != 0)
    return false;
  if (FieldLength(name, kPrefixNumberField) != (long)kPrefixNumberLength) return false;
  if (prefix != NULL) *prefix = first;
  return true;
}

ConfigEntryKind ClassifyConfigEntry(const std::string &name, const std::string &prefix) {
  for (const FixedEntry &entry : kFixedEntries)
    if (name == prefix + entry.suffix) return entry.kind;
  size_t separator = LastSeparator(name);
  if (separator == std::string::npos) return kConfigIgnored;
  std::string folder = name.substr(0, separator + 1);
  for (const FixedEntry &entry : kFolderEntries)
    if (folder == prefix + entry.suffix) return entry.kind;
  return kConfigIgnored;
}

int32_t InfoTextLangId(const std::string &entryName) {
  size_t separator = LastSeparator(entryName);
  std::string fileName = separator == std::string::npos ? entryName : entryName.substr(separator + 1);
  size_t dot = fileName.rfind('.');
  if (dot != std::string::npos)
    fileName = ReplaceIgnoringCase(fileName, fileName.substr(dot), std::string());
  if (fileName == "Default") return -1;
  return (int32_t)(uint32_t)ParseScriptInteger(fileName);
}

bool ProductComponentId(const std::string &entryName, int32_t *componentId) {
  size_t slash = entryName.find('\\');
  uint32_t id = 0;
  if (slash == std::string::npos || slash + 1 >= entryName.size() ||
      !ParseCanonicalComponentId(entryName.data(), slash, &id))
    return false;
  *componentId = (int32_t)id;
  return true;
}

bool AddProductFile(std::vector<ComponentFileGroup> *groups, ComponentGroupIndex *index,
                    const std::string &entryName, int64_t uncompressedSize) {
  int32_t componentId = 0;
  if (groups == NULL || index == NULL || !ProductComponentId(entryName, &componentId))
    return false;
  ComponentGroupIndex::iterator known = index->find(componentId);
  if (known == index->end() || known->second >= groups->size() ||
      (*groups)[known->second].componentId != componentId) {
    groups->push_back(ComponentFileGroup());
    groups->back().componentId = componentId;
    (*index)[componentId] = groups->size() - 1;
    known = index->find(componentId);
  }
  ProductFile file;
  file.entryName = entryName;
  file.uncompressedSize = uncompressedSize;
  (*groups)[known->second].files.push_back(file);
  return true;
}

std::string TextFromEntryBytes(const uint8_t *bytes, size_t size) {
  if (bytes == NULL) return std::string();
  const void *zero = memchr(bytes, 0, size);
  size_t length = zero != NULL ? (size_t)((const uint8_t *)zero - bytes) : size;
  return std::string((const char *)bytes, length);
}
