#include "builder/language_check.h"

#include <map>
#include <string>

#include "builder/checked_document.h"
#include "script/document.h"

namespace {

const char kInformationGroup[] = "Information";
const char *const kStringGroups[] = {"LanguageDataInstaller", "LanguageDataUninstaller"};

std::string Decimal(int64_t value) { return std::to_string((long long)value); }

CheckFinding Finding(FindingSeverity severity, const std::string &file, uint32_t line,
                     const std::string &message) {
  CheckFinding finding;
  finding.severity = severity;
  finding.file = file;
  finding.line = line;
  finding.message = message;
  return finding;
}

void Add(std::vector<CheckFinding> *findings, FindingSeverity severity, const std::string &file,
         uint32_t line, const std::string &message) {
  findings->push_back(Finding(severity, file, line, message));
}

// The entries of a string group: the installer numbers them in file order,
// whatever their keys.
const std::vector<CheckedEntry> *StringsOf(const CheckedDocument &document, const char *group) {
  const size_t index = document.Find(group);
  return index == kNoGroup ? nullptr : &document.groups[index].entries;
}

// The number N of a key written "lN", or 0.
long KeyNumber(const std::string &key) {
  if (key.size() < 2 || (key[0] != 'l' && key[0] != 'L')) return 0;
  long number = 0;
  for (size_t i = 1; i < key.size(); i++) {
    if (key[i] < '0' || key[i] > '9' || number > 100000) return 0;
    number = number * 10 + (key[i] - '0');
  }
  return number;
}

void CheckStrings(const CheckedText &file, const CheckedDocument &document,
                  const CheckedDocument &english, const char *groupName,
                  std::vector<CheckFinding> *findings) {
  const std::vector<CheckedEntry> *reference = StringsOf(english, groupName);
  const std::vector<CheckedEntry> *strings = StringsOf(document, groupName);
  const size_t wanted = reference ? reference->size() : 0;
  const size_t have = strings ? strings->size() : 0;
  const size_t group = document.Find(groupName);
  const uint32_t line = group == kNoGroup ? 0 : document.groups[group].line;
  // Keys lN name their number: one that does not match its place shows a
  // string missing or doubled before it, which shifts every later one.
  for (size_t i = 0; strings != nullptr && i < strings->size(); i++) {
    const long number = KeyNumber((*strings)[i].key);
    if (number != 0 && number != (long)(i + 1)) {
      Add(findings, kFindingWarning, file.path, (*strings)[i].line,
          "[" + std::string(groupName) + "] " + (*strings)[i].key + " is string " +
              Decimal((int64_t)(i + 1)) + " here: the installer counts entries, not keys, so a "
              "string before it is missing or given twice");
      break;
    }
  }
  if (have >= wanted) return;
  std::string missing = "string " + Decimal((int64_t)have + 1);
  if (wanted > have + 1) missing = "strings " + Decimal((int64_t)have + 1) + " to " + Decimal((int64_t)wanted);
  Add(findings, kFindingWarning, file.path, line,
      "[" + std::string(groupName) + "] has " + Decimal((int64_t)have) +
          " strings and the English file " + Decimal((int64_t)wanted) + ": " + missing +
          " (from " + (*reference)[have].key + ") would show empty");
}

}  // namespace

std::set<int64_t> CheckLanguageFiles(const ProjectCheckInput &input,
                                     std::vector<CheckFinding> *findings) {
  std::set<int64_t> langIds;
  // Files without a name: harmless beside a named one, fatal alone.
  std::vector<CheckFinding> nameless;
  std::map<int64_t, std::string> fileOfLangId;
  std::map<std::string, std::string> fileOfName;
  const CheckedDocument english = ParseCheckedDocument(input.englishReference);
  for (const CheckedText &file : input.languages) {
    const CheckedDocument document = ParseCheckedDocument(file.text);
    const size_t information = document.Find(kInformationGroup);
    const CheckedGroup *group = information == kNoGroup ? nullptr : &document.groups[information];
    const CheckedEntry *name = group ? group->Entry("Name") : nullptr;
    const CheckedEntry *langId = group ? group->Entry("LangID") : nullptr;
    if (name == nullptr || name->value.empty()) {
      nameless.push_back(Finding(kFindingWarning, file.path, group ? group->line : 0,
                                 "[Information] has no Name, so the language list leaves it out"));
    } else if (!fileOfName.emplace(NormalizeName(name->value), file.path).second) {
      Add(findings, kFindingWarning, file.path, name->line,
          "the Name " + name->value + " is also that of " + fileOfName[NormalizeName(name->value)] +
              "; the language list cannot tell them apart");
    }
    int64_t id = 0;
    if (langId == nullptr || langId->value.empty()) {
      Add(findings, kFindingWarning, file.path, group ? group->line : 0,
          "[Information] has no LangID, so no text of the script, License or Information is "
          "chosen for this language and /LANG cannot name it");
    } else if (!ReadWholeInteger(langId->value, &id) || id <= 0 || id > 65535) {
      Add(findings, kFindingError, file.path, langId->line,
          "[Information] LangID = " + langId->value +
              ": must be a Windows language ID from 1 to 65535, such as 1033");
    } else {
      langIds.insert(id);
      if (!fileOfLangId.emplace(id, file.path).second)
        Add(findings, kFindingWarning, file.path, langId->line,
            "LangID " + Decimal(id) + " is also that of " + fileOfLangId[id]);
    }
    if (input.englishReference.empty()) continue;
    for (const char *strings : kStringGroups) CheckStrings(file, document, english, strings, findings);
  }
  for (CheckFinding &finding : nameless) {
    if (nameless.size() == input.languages.size()) {
      finding.severity = kFindingError;
      finding.message = "[Information] has no Name, and no other language file has one: the "
                        "installer stops at once";
    }
    findings->push_back(finding);
  }
  for (const LanguageTextFile &text : input.languageTexts) {
    if (text.isDefault || langIds.empty() || langIds.count(text.langId) != 0) continue;
    Add(findings, kFindingWarning, text.path, 0,
        "no language file has LangID " + Decimal(text.langId) + ", so this text is never shown");
  }
  return langIds;
}
