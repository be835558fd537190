#include "builder/check_command.h"

#include <string.h>

#include <vector>

#include "builder/embedded_english.h"
#include "builder/path_rules.h"
#include "builder/project_check.h"
#include "builder/project_scan.h"

namespace {

bool StartsWith(const std::string &text, const char *prefix) {
  return text.compare(0, strlen(prefix), prefix) == 0;
}

std::string Join(const std::string &folder, const std::string &name) {
  return folder.empty() ? name : folder + "/" + name;
}

// The text of a configuration entry: from memory, or read again through
// the scan's identity of the file.
bool EntryText(const InputFile &file, std::string *text, std::string *error) {
  if (file.memory != NULL) {
    text->assign((const char *)file.memory, (size_t)file.size);
    return true;
  }
  return ReadSourceFile(file.sourcePath, file.identity, text, error);
}

// "License\1031.txt" as a LanguageTextFile.
LanguageTextFile TextFileOf(const Project &project, const InputFile &file, size_t folderLength) {
  LanguageTextFile text;
  text.path = file.sourcePath.empty() ? Join(project.root, file.entryName) : file.sourcePath;
  const std::string name = file.entryName.substr(folderLength);
  text.isDefault = StartsWith(name, "Default.");
  uint32_t id = 0;
  const size_t dot = name.find('.');
  if (!text.isDefault && ParseComponentFolder(name.substr(0, dot), &id)) text.langId = (int32_t)id;
  return text;
}

}  // namespace

CheckCounts CheckScannedProject(const Project &project, FILE *out) {
  CheckCounts counts;
  ProjectCheckInput input;
  input.script.path = Join(project.root, "Script.qvs");
  input.script.text = project.scriptText;
  input.englishReference.assign((const char *)kEnglishLanguageFile, kEnglishLanguageFileSize);
  input.filesFolder = Join(project.root, "Files");
  for (const InputFile &file : project.configEntries) {
    if (StartsWith(file.entryName, "Languages\\")) {
      CheckedText language;
      language.path = file.sourcePath.empty() ? file.entryName + " (built in)" : file.sourcePath;
      std::string error;
      if (!EntryText(file, &language.text, &error)) {
        fprintf(out, "%s: error: %s\n", language.path.c_str(), error.c_str());
        counts.errors++;
        continue;
      }
      input.languages.push_back(language);
    } else if (StartsWith(file.entryName, "License\\")) {
      input.languageTexts.push_back(TextFileOf(project, file, strlen("License\\")));
    } else if (StartsWith(file.entryName, "Information\\")) {
      input.languageTexts.push_back(TextFileOf(project, file, strlen("Information\\")));
    }
  }
  for (const InputFile &file : project.productEntries) {
    uint32_t id = 0;
    const std::string folder = file.entryName.substr(0, file.entryName.find('\\'));
    if (ParseComponentFolder(folder, &id) &&
        (input.componentFolders.empty() || input.componentFolders.back() != id))
      input.componentFolders.push_back(id);
  }
  for (const CheckFinding &finding : CheckProject(input)) {
    fprintf(out, "%s\n", FormatFinding(finding).c_str());
    if (finding.severity == kFindingError)
      counts.errors++;
    else
      counts.warnings++;
  }
  return counts;
}

bool CheckPasses(const CheckCounts &counts, bool strict) {
  return counts.errors == 0 && (!strict || counts.warnings == 0);
}

int RunCheck(int argc, char **argv, std::string *usageError) {
  std::string root;
  bool strict = false;
  bool addEnglish = false;
  for (int i = 0; i < argc; i++) {
    const std::string arg = argv[i];
    if (arg == "--strict") {
      strict = true;
    } else if (arg == "--add-english") {
      addEnglish = true;
    } else if (!arg.empty() && arg[0] == '-') {
      *usageError = "unknown option " + arg;
      return 2;
    } else if (root.empty()) {
      root = arg;
    } else {
      *usageError = "check takes one project folder";
      return 2;
    }
  }
  if (root.empty()) {
    *usageError = "no project folder given";
    return 2;
  }
  ScanOptions options = {NULL, 0, NULL};
  if (addEnglish) {
    options.englishLanguage = kEnglishLanguageFile;
    options.englishLanguageSize = kEnglishLanguageFileSize;
  }
  Project project;
  std::vector<std::string> problems;
  std::vector<std::string> notes;
  const bool scanned = ScanProject(root, options, &project, &problems, &notes);
  for (const std::string &problem : problems) printf("%s\n", problem.c_str());
  CheckCounts counts;
  if (!project.scriptText.empty()) counts = CheckScannedProject(project, stdout);
  counts.errors += problems.size();
  printf("%s: %zu error(s), %zu warning(s)\n", root.c_str(), counts.errors, counts.warnings);
  return scanned && CheckPasses(counts, strict) ? 0 : 1;
}
