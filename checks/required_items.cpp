#include "checks/required_items.h"

#include <vector>

#include "checks/check_messages.h"
#include "checks/os_requirements.h"
#include "script/document.h"
#include "script/language_strings.h"
#include "script/registry_text.h"
#include "script/string_ids.h"

namespace {

const size_t kImageHeaderSize = 64;
const size_t kPeOffsetField = 60;

uint32_t ReadLittleEndian32(const uint8_t *p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

std::string Placeholders(int index, const std::string &p, const std::string &q = std::string(),
                         const std::string &r = std::string()) {
  std::string text = ReplacePlaceholder(LangString(index), "$P", p);
  text = ReplacePlaceholder(text, "$Q", q);
  return ReplacePlaceholder(text, "$R", r);
}

// Appends what is missing of `item` to `missing`; returns the count.
int ListMissing(const RequiredItem &item, const CheckEnvironment &env, std::string *missing) {
  int misses = 0;
  for (const RequiredFile &file : item.Files) {
    if (env.fileExists == nullptr || !env.fileExists(file.FilePath)) {
      *missing += Placeholders(kStrFileMissingLine, file.FilePath);
      misses++;
      continue;
    }
    if (file.CheckVersion != 1) continue;
    std::string found = env.fileVersionText != nullptr ? env.fileVersionText(file.FilePath) : "";
    if (!FileVersionMatches(file, found)) {
      *missing += Placeholders(kStrFileVersionLine, file.FilePath, RequiredVersionText(file), found);
      misses++;
    }
  }
  for (const RequiredKey &key : item.Keys) {
    bool present = IsRegistryRootCode(key.MainKey) && env.registryKeyExists != nullptr &&
                   env.registryKeyExists(key.MainKey, key.SubKey);
    if (!present) {
      *missing += Placeholders(kStrKeyMissingLine, FormatRegistryKey(key.MainKey, key.SubKey));
      misses++;
    }
  }
  for (const RequiredValue &value : item.Values) {
    bool present = IsRegistryRootCode(value.MainKey) && env.registryValueExists != nullptr &&
                   env.registryValueExists(value.MainKey, value.SubKey, value.ValueName);
    if (!present) {
      *missing += Placeholders(kStrValueMissingLine,
                               FormatRegistryValue(value.MainKey, value.SubKey, value.ValueName));
      misses++;
    }
  }
  return misses;
}

}  // namespace

std::string FormatFileVersion(uint32_t ms, uint32_t ls) {
  return std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFF) + "." +
         std::to_string(ls >> 16) + "." + std::to_string(ls & 0xFFFF);
}

std::string RequiredVersionText(const RequiredFile &f) {
  return std::to_string(f.MajorHi) + "." + std::to_string(f.MajorLow) + "." +
         std::to_string(f.MinorHi) + "." + std::to_string(f.MinorLow);
}

bool FileVersionMatches(const RequiredFile &file, const std::string &versionText) {
  int32_t fields[4] = {0, 0, 0, 0};
  size_t start = 0;
  for (int i = 0; i < 4 && start <= versionText.size(); i++) {
    size_t dot = versionText.find('.', start);
    size_t end = dot == std::string::npos ? versionText.size() : dot;
    fields[i] = (int32_t)ParseScriptInteger(versionText.substr(start, end - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return fields[0] == file.MajorHi && fields[1] == file.MajorLow && fields[2] == file.MinorHi &&
         fields[3] == file.MinorLow;
}

bool ReadImageHeaderOffset(const uint8_t *header, size_t size, uint32_t *peOffset) {
  if (header == nullptr || size < kImageHeaderSize || header[0] != 'M' || header[1] != 'Z')
    return false;
  if (peOffset != nullptr) *peOffset = ReadLittleEndian32(header + kPeOffsetField);
  return true;
}

bool IsImageSignature(const uint8_t *bytes, size_t size) {
  return bytes != nullptr && size >= 4 && ReadLittleEndian32(bytes) == 0x4550;
}

CheckResult CheckRequiredItems(ScriptSettings *settings, const CheckEnvironment &env) {
  if (settings == nullptr) return kCheckContinue;
  for (const RequiredItem &item : settings->requiredItems) {
    if (!OsFlagsApply(item.systems, OsCodeActingAs(env.osCode, env.os))) continue;
    std::string missing;
    if (ListMissing(item, env, &missing) == 0) continue;
    std::string text = ReplacePlaceholder(LangString(kStrDependencyMissing), "$P", item.ProgramName);
    text = ReplacePlaceholder(text, "$Q", missing);
    ShowCheckMessage(env, kStrDependencyCaption, text, kCheckButtonsOk, kCheckIconExclamation);
    return kCheckEndInstaller;
  }
  std::vector<RequiredItem>().swap(settings->requiredItems);
  return kCheckContinue;
}
