#include "builder/verify_checks.h"

#include <string.h>

#include "archive/archive_format.h"
#include "archive/byte_order.h"
#include "builder/path_rules.h"
#include "builder/script_checks.h"
#include "format/payload_limits.h"

namespace {

// "_$_INSTALLER_Data_" + seven decimal digits + "_$_", as the builder writes it.
const char kPrefixStart[] = "_$_INSTALLER_Data_";
const char kPrefixEnd[] = "_$_";
const size_t kPrefixDigits = 7;
const size_t kPrefixLength = sizeof kPrefixStart - 1 + kPrefixDigits + sizeof kPrefixEnd - 1;

const char *const kFixedConfigNames[] = {"Config\\Script.qvs", "Config\\Wizard.bmp",
                                         "Config\\Header.bmp", "Config\\Background.bmp",
                                         "Config\\Uninstaller.bin"};

void Add(std::vector<std::string> *problems, const ArchiveEntry &entry, const std::string &what) {
  problems->push_back(PrintableEntryName(std::string(entry.name, entry.nameLength)) + ": " + what);
}

bool IsBuilderPrefix(const std::string &name) {
  if (name.size() < kPrefixLength || name.compare(0, sizeof kPrefixStart - 1, kPrefixStart) != 0)
    return false;
  for (size_t i = sizeof kPrefixStart - 1; i < sizeof kPrefixStart - 1 + kPrefixDigits; i++)
    if (name[i] < '0' || name[i] > '9') return false;
  return name.compare(kPrefixLength - (sizeof kPrefixEnd - 1), sizeof kPrefixEnd - 1,
                      kPrefixEnd) == 0;
}

// A configuration entry's name below its prefix; sets *kind. Null when the
// builder writes such names, else why not.
const char *ConfigNameProblem(const std::string &rest, EntryTextKind *kind) {
  *kind = kEntryNotText;
  for (const char *fixed : kFixedConfigNames) {
    if (rest == fixed) {
      if (rest == kFixedConfigNames[0]) *kind = kEntryScript;
      return NULL;
    }
  }
  size_t slash = rest.find('\\');
  if (slash == std::string::npos || rest.find('\\', slash + 1) != std::string::npos)
    return "not a configuration entry the installer knows";
  std::string folder = rest.substr(0, slash);
  std::string file = rest.substr(slash + 1);
  if (folder == "Languages") {
    *kind = kEntryLanguage;
    return IsLanguageFileName(file) ? NULL : "language file name must be <name>.lng";
  }
  if (folder == "Information" || folder == "License") {
    *kind = kEntryLanguageText;
    if (WindowsNameProblem(file) != NULL || !IsLanguageTextName(file))
      return "name must be Default.<ext> or <LangID>.<ext>";
    return NULL;
  }
  return "not a configuration entry the installer knows";
}

// Why the builder would not write `name`, or null; sets *kind.
const char *EntryNameProblem(VerifyChecks *checks, const std::string &name, EntryTextKind *kind) {
  *kind = kEntryNotText;
  if (name.compare(0, 3, kPrefixEnd) == 0) {
    if (!IsBuilderPrefix(name) || name.size() <= kPrefixLength || name[kPrefixLength] != '\\')
      return "configuration entry without the prefix _$_INSTALLER_Data_<7 digits>_$_";
    std::string prefix = name.substr(0, kPrefixLength);
    if (checks->configPrefix.empty()) checks->configPrefix = prefix;
    if (prefix != checks->configPrefix)
      return "configuration prefix differs from the first one; the installer would mix them";
    return ConfigNameProblem(name.substr(kPrefixLength + 1), kind);
  }
  size_t slash = name.find('\\');
  uint32_t id = 0;
  if (slash == std::string::npos || !ParseComponentFolder(name.substr(0, slash), &id))
    return "product entry must begin with a component ID (canonical decimal)";
  return RelativePathProblem(name.substr(slash + 1));
}

uint32_t TextLimit(EntryTextKind kind) {
  switch (kind) {
    case kEntryScript: return kMaxScriptSize;
    case kEntryLanguage: return kMaxLanguageFileSize;
    case kEntryLanguageText: return kMaxInfoTextSize;
    case kEntryNotText: break;
  }
  return 0;
}

}  // namespace

void VerifyChecksBegin(VerifyChecks *checks) {
  checks->configPrefix.clear();
  checks->foldedNames.clear();
  checks->entries = 0;
  checks->scripts = 0;
  checks->languages = 0;
}

EntryTextKind CheckEntryRecord(VerifyChecks *checks, const ArchiveEntry &entry,
                               std::vector<std::string> *problems) {
  std::string name(entry.name, entry.nameLength);
  checks->entries++;
  if (entry.encrypted != 0)
    Add(problems, entry, "encrypted flag set; the installer cannot extract encrypted entries");
  EntryTextKind kind = kEntryNotText;
  const char *nameProblem = EntryNameProblem(checks, name, &kind);
  if (nameProblem != NULL) Add(problems, entry, std::string("name refused: ") + nameProblem);
  std::string folded = FoldWindowsCase(name);
  auto seen = checks->foldedNames.find(folded);
  if (seen == checks->foldedNames.end()) {
    checks->foldedNames[folded] = name;
  } else if (seen->second == name) {
    Add(problems, entry, "a second entry of this name");
  } else {
    Add(problems, entry, "differs only in letter case from " + PrintableEntryName(seen->second) +
                             "; one would overwrite the other on Windows");
  }
  if (kind == kEntryScript) checks->scripts++;
  if (kind == kEntryLanguage) checks->languages++;
  uint32_t limit = TextLimit(kind);
  if (kind != kEntryNotText && entry.uncompressedSize > limit) {
    Add(problems, entry, "larger than " + std::to_string(limit / 1024) +
                             " KiB, more than the installer accepts for this kind of text");
  }
  return kind == kEntryLanguageText ? kEntryNotText : kind;
}

void CheckEntryContent(VerifyChecks *, const ArchiveEntry &entry, EntryTextKind kind,
                       const std::string &bytes, std::vector<std::string> *problems) {
  if (kind != kEntryScript && kind != kEntryLanguage) return;
  if (bytes.empty()) {
    Add(problems, entry, "empty; the installer would find no script or language in it");
    return;
  }
  std::string problem = DocumentTextProblem(bytes);
  if (!problem.empty()) Add(problems, entry, problem);
}

void CheckChunkLayout(const ArchiveSource &source, const ArchiveEntry &entry,
                      std::vector<std::string> *problems) {
  uint64_t offset = entry.recordOffset + 4 + (uint64_t)entry.nameLength + 1 + kEntryFixedSize;
  uint64_t remaining = entry.uncompressedSize;
  uint64_t index = 0;
  while (remaining > 0) {
    uint8_t header[kChunkHeaderSize];
    if (offset > source.size || source.size - offset < kChunkHeaderSize ||
        !source.read(source.context, offset, header, sizeof header))
      return;
    uint32_t c = LoadU32(header);
    uint32_t u = LoadU32(header + 4);
    if (u == 0 || u > remaining) return;  // the reader reports it
    if (u < kChunkSize && u < remaining) {
      Add(problems, entry, "chunk " + std::to_string(index) + " holds " + std::to_string(u) +
                               " bytes; only an entry's last chunk may be shorter than " +
                               std::to_string(kChunkSize));
      return;
    }
    remaining -= u;
    offset += kChunkHeaderSize + (uint64_t)c;
    index++;
  }
}

void CheckArchiveWhole(const VerifyChecks &checks, std::vector<std::string> *problems) {
  if (checks.entries == 0) {
    problems->push_back("the archive holds no entries; the installer would have nothing to install");
    return;
  }
  if (checks.scripts == 0)
    problems->push_back("no installer script (Config\\Script.qvs); the installer would stop");
  if (checks.languages == 0)
    problems->push_back("no language file (Languages\\*.lng); the installer would stop");
}
