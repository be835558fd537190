// The checks of a project's script and language files against the script
// schema (script/script_schema.h), made by `qvsbuild check` and at the
// start of every build: unknown groups and keys (with the name most likely
// meant), values the installer cannot use, references to components,
// categories, items and languages that do not exist, component folders
// without a component and components without files, duplicate IDs, and
// language files that lack strings the English file has.
//
// Pure: the caller reads the files and passes their texts, so the rules
// are the same on every host. Each finding names its file and line.
#ifndef QVS_BUILDER_PROJECT_CHECK_H
#define QVS_BUILDER_PROJECT_CHECK_H

#include <stdint.h>

#include <string>
#include <vector>

enum FindingSeverity {
  // The installer would do something other than the script says (a value
  // it cannot use, a name it never reads, a reference to nothing): the
  // build is refused.
  kFindingError,
  // Probably a mistake, but the installer works as written: printed;
  // `--strict` refuses the build for it too.
  kFindingWarning,
};

struct CheckFinding {
  FindingSeverity severity = kFindingError;
  std::string file;
  uint32_t line = 0;  // 0: the file or folder as a whole
  std::string message;
};

struct CheckedText {
  std::string path;  // as shown in findings
  std::string text;
};

// A License or Information text of the project.
struct LanguageTextFile {
  std::string path;
  bool isDefault = false;  // Default.<ext>
  int32_t langId = 0;
};

struct ProjectCheckInput {
  CheckedText script;
  std::vector<CheckedText> languages;
  // The English language file the installer was made for; its string
  // counts are what every language file should have. Empty: not compared.
  std::string englishReference;
  // The Files/<id> folders that hold files, and how to name them.
  std::vector<uint32_t> componentFolders;
  std::string filesFolder;
  std::vector<LanguageTextFile> languageTexts;
};

// Every finding, sorted by file and line.
std::vector<CheckFinding> CheckProject(const ProjectCheckInput &input);

// "file:line: error: message" (no line part for line 0).
std::string FormatFinding(const CheckFinding &finding);

// The candidate `wrong` most likely stands for (a few letters missing,
// added, swapped or changed, letter case ignored), or empty when none is
// close enough.
std::string ClosestName(const std::string &wrong, const std::vector<std::string> &candidates);

#endif
