#include "builder/project_scan.h"

#include <dirent.h>
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>

#include "archive/archive_format.h"
#include "builder/path_rules.h"
#include "builder/script_checks.h"

namespace {

// Larger scripts and language files are certainly not what the vendor meant.
const uint64_t kMaxTextSize = 64u * 1024 * 1024;

struct ScanContext {
  std::string root;  // as given, for messages and paths
  std::string realRoot;  // resolved, for the symbolic-link check
  std::vector<std::string> *problems;
  std::vector<std::string> *notes;
};

struct ProductItem {
  uint32_t componentId;
  std::string relativePath;  // below the component folder, "\" separated
  InputFile file;
};

void Problem(ScanContext *scan, const std::string &where, const std::string &what) {
  scan->problems->push_back(where + ": " + what);
}

std::string Join(const std::string &folder, const std::string &name) {
  return folder.empty() ? name : folder + "/" + name;
}

// Lower-cases ASCII and the Windows-1252 Latin letters, the way Windows
// folds names for comparison closely enough to catch clashes.
std::string FoldCase(const std::string &ansi) {
  std::string result = ansi;
  for (char &c : result) {
    unsigned char byte = (unsigned char)c;
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
      c = (char)(byte + 0x20);
    else if (byte == 0x8A || byte == 0x8C || byte == 0x8E)
      c = (char)(byte + 0x10);
    else if (byte == 0x9F)
      c = (char)0xFF;
  }
  return result;
}

// The sorted names in a folder, "." and ".." left out.
bool ListFolder(ScanContext *scan, const std::string &path, std::vector<std::string> *names) {
  DIR *dir = opendir(path.c_str());
  if (dir == NULL) {
    Problem(scan, path, std::string("cannot read folder: ") + strerror(errno));
    return false;
  }
  while (struct dirent *item = readdir(dir)) {
    if (strcmp(item->d_name, ".") == 0 || strcmp(item->d_name, "..") == 0) continue;
    names->push_back(item->d_name);
  }
  closedir(dir);
  std::sort(names->begin(), names->end());
  return true;
}

// Stats `path`, following a symbolic link only when it stays inside the
// project: a link out of it would pack files the vendor never put there.
bool StatInside(ScanContext *scan, const std::string &path, struct stat *info) {
  if (lstat(path.c_str(), info) != 0) {
    Problem(scan, path, std::string("cannot read: ") + strerror(errno));
    return false;
  }
  if (!S_ISLNK(info->st_mode)) return true;
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == NULL) {
    Problem(scan, path, "symbolic link to nothing");
    return false;
  }
  std::string target = resolved;
  if (target.compare(0, scan->realRoot.size() + 1, scan->realRoot + "/") != 0) {
    Problem(scan, path, "symbolic link pointing outside the project");
    return false;
  }
  if (stat(path.c_str(), info) != 0) {
    Problem(scan, path, std::string("cannot read: ") + strerror(errno));
    return false;
  }
  if (S_ISDIR(info->st_mode)) {
    Problem(scan, path, "symbolic link to a folder (not followed; copy the folder instead)");
    return false;
  }
  return true;
}

InputFile MakeInput(const std::string &entryName, const std::string &path, const struct stat &info) {
  InputFile file;
  file.entryName = entryName;
  file.sourcePath = path;
  file.memory = NULL;
  file.size = (uint64_t)info.st_size;
  file.modifiedUtc = (int64_t)info.st_mtime;
  file.modificationTime = 0;
  file.attributes = kAttributeArchive | ((info.st_mode & S_IWUSR) ? 0 : kAttributeReadOnly);
  return file;
}

bool ReadText(ScanContext *scan, const std::string &path, uint64_t size, std::string *text) {
  if (size > kMaxTextSize) {
    Problem(scan, path, "larger than 64 MiB");
    return false;
  }
  FILE *file = fopen(path.c_str(), "rb");
  if (file == NULL) {
    Problem(scan, path, std::string("cannot open: ") + strerror(errno));
    return false;
  }
  text->resize((size_t)size);
  bool ok = size == 0 || fread(&(*text)[0], 1, (size_t)size, file) == size;
  fclose(file);
  if (!ok) Problem(scan, path, "cannot read");
  return ok;
}

// A regular, non-empty file (after StatInside); reports and returns false otherwise.
bool RegularFile(ScanContext *scan, const std::string &path, const struct stat &info,
                 bool allowEmpty) {
  if (!S_ISREG(info.st_mode)) {
    Problem(scan, path, "not a regular file");
    return false;
  }
  if (!allowEmpty && info.st_size == 0) {
    Problem(scan, path, "empty file");
    return false;
  }
  return true;
}

// The Windows form of a file name found on disk, or false with the reason.
bool WindowsName(ScanContext *scan, const std::string &path, const std::string &name,
                 std::string *ansi) {
  if (!Utf8ToWindows1252(name, ansi)) {
    Problem(scan, path, "name is not representable in the Windows-1252 code page");
    return false;
  }
  const char *problem = WindowsNameProblem(*ansi);
  if (problem != NULL) {
    Problem(scan, path, problem);
    return false;
  }
  return true;
}

bool HasPrefix(const std::string &data, const char *magic) {
  return data.compare(0, strlen(magic), magic) == 0;
}

void ScanScript(ScanContext *scan, Project *project) {
  std::string path = Join(scan->root, "Script.qvs");
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) {
    Problem(scan, path, "missing: the installer script is required");
    return;
  }
  if (!StatInside(scan, path, &info) || !RegularFile(scan, path, info, false)) return;
  if (!ReadText(scan, path, (uint64_t)info.st_size, &project->scriptText)) return;
  if (HasOnlyLineFeedBreaks(project->scriptText)) {
    Problem(scan, path,
            "lines end in LF only; the installer splits lines at CR, so save it with CRLF");
  }
  project->scriptRequiresAdmin = ScriptRequiresAdministrator(project->scriptText);
  project->configEntries.push_back(MakeInput("Config\\Script.qvs", path, info));
}

// An optional single file that must start with `magic`.
void ScanOptionalFile(ScanContext *scan, Project *project, const char *fileName,
                      const char *entryName, const char *magic, const char *kind) {
  std::string path = Join(scan->root, fileName);
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return;
  if (!StatInside(scan, path, &info) || !RegularFile(scan, path, info, false)) return;
  char head[2] = {0, 0};
  FILE *file = fopen(path.c_str(), "rb");
  size_t got = file != NULL ? fread(head, 1, 2, file) : 0;
  if (file != NULL) fclose(file);
  if (got != 2 || !HasPrefix(std::string(head, 2), magic)) {
    Problem(scan, path, std::string("not ") + kind);
    return;
  }
  project->configEntries.push_back(MakeInput(entryName, path, info));
}

// A License or Information text is chosen by the number before its
// extension, or is the default one: anything else would reach the installer
// as language 0 (a lower-case "default.txt", for example).
bool IsLanguageTextName(const std::string &name) {
  size_t dot = name.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 >= name.size()) return false;
  if (name.find('.', dot + 1) != std::string::npos) return false;
  std::string stem = name.substr(0, dot);
  if (stem == "Default") return true;
  uint32_t id = 0;
  return ParseComponentFolder(stem, &id);
}

void ScanLanguageTexts(ScanContext *scan, Project *project, const char *folder) {
  std::string path = Join(scan->root, folder);
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return;
  if (!StatInside(scan, path, &info)) return;
  if (!S_ISDIR(info.st_mode)) {
    Problem(scan, path, "not a folder");
    return;
  }
  std::vector<std::string> names;
  if (!ListFolder(scan, path, &names)) return;
  for (const std::string &name : names) {
    std::string filePath = Join(path, name);
    std::string ansi;
    if (!StatInside(scan, filePath, &info) || !RegularFile(scan, filePath, info, false)) continue;
    if (!WindowsName(scan, filePath, name, &ansi)) continue;
    if (!IsLanguageTextName(ansi)) {
      Problem(scan, filePath, "name must be Default.<ext> or <LangID>.<ext>, e.g. 1033.txt");
      continue;
    }
    project->configEntries.push_back(
        MakeInput(std::string(folder) + "\\" + ansi, filePath, info));
  }
}

void ScanLanguages(ScanContext *scan, const ScanOptions &options, Project *project) {
  std::string path = Join(scan->root, "Languages");
  std::vector<InputFile> languages;
  bool haveEnglishFile = false;
  struct stat info;
  if (lstat(path.c_str(), &info) == 0 && StatInside(scan, path, &info)) {
    std::vector<std::string> names;
    if (!S_ISDIR(info.st_mode)) {
      Problem(scan, path, "not a folder");
    } else if (ListFolder(scan, path, &names)) {
      for (const std::string &name : names) {
        std::string filePath = Join(path, name);
        std::string ansi;
        if (!StatInside(scan, filePath, &info) || !RegularFile(scan, filePath, info, false))
          continue;
        if (!WindowsName(scan, filePath, name, &ansi)) continue;
        std::string folded = FoldCase(ansi);
        if (folded.size() < 5 || folded.compare(folded.size() - 4, 4, ".lng") != 0) {
          Problem(scan, filePath, "not a language file (*.lng)");
          continue;
        }
        std::string text;
        if (!ReadText(scan, filePath, (uint64_t)info.st_size, &text)) continue;
        if (HasOnlyLineFeedBreaks(text)) {
          Problem(scan, filePath,
                  "lines end in LF only; the installer splits lines at CR, so save it with CRLF");
          continue;
        }
        if (folded == "english.lng") haveEnglishFile = true;
        languages.push_back(MakeInput("Languages\\" + ansi, filePath, info));
      }
    }
  }
  if (options.englishLanguage != NULL) {
    if (haveEnglishFile) {
      Problem(scan, Join(path, "English.lng"),
              "already present; --add-english would add a second English file");
    } else {
      InputFile english;
      english.entryName = "Languages\\English.lng";
      english.memory = options.englishLanguage;
      english.size = options.englishLanguageSize;
      english.modifiedUtc = 0;
      english.modificationTime = 0;
      english.attributes = kAttributeArchive;
      languages.push_back(english);
      std::sort(languages.begin(), languages.end(),
                [](const InputFile &a, const InputFile &b) { return a.entryName < b.entryName; });
    }
  }
  if (languages.empty()) {
    Problem(scan, path, "no language file (*.lng); add one or use --add-english");
  }
  project->configEntries.insert(project->configEntries.end(), languages.begin(), languages.end());
}

void WalkProductFolder(ScanContext *scan, const std::string &path, const std::string &relative,
                       uint32_t componentId, std::vector<ProductItem> *items,
                       std::vector<std::string> *foldedNames, int depth) {
  std::vector<std::string> names;
  if (!ListFolder(scan, path, &names)) return;
  for (const std::string &name : names) {
    std::string itemPath = Join(path, name);
    std::string ansi;
    struct stat info;
    if (!StatInside(scan, itemPath, &info)) continue;
    if (!WindowsName(scan, itemPath, name, &ansi)) continue;
    std::string itemRelative = relative.empty() ? ansi : relative + "\\" + ansi;
    const char *problem = RelativePathProblem(itemRelative);
    if (problem != NULL) {
      Problem(scan, itemPath, problem);
      continue;
    }
    foldedNames->push_back(FoldCase(itemRelative));
    if (S_ISDIR(info.st_mode)) {
      // The 259-byte bound already stops any real nesting; this guards loops.
      if (depth < 200)
        WalkProductFolder(scan, itemPath, itemRelative, componentId, items, foldedNames, depth + 1);
      continue;
    }
    if (!RegularFile(scan, itemPath, info, true)) continue;
    ProductItem item;
    item.componentId = componentId;
    item.relativePath = itemRelative;
    item.file = MakeInput(std::to_string(componentId) + "\\" + itemRelative, itemPath, info);
    items->push_back(item);
  }
}

void ScanProducts(ScanContext *scan, Project *project) {
  std::string path = Join(scan->root, "Files");
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return;
  if (!StatInside(scan, path, &info)) return;
  if (!S_ISDIR(info.st_mode)) {
    Problem(scan, path, "not a folder");
    return;
  }
  std::vector<std::string> names;
  if (!ListFolder(scan, path, &names)) return;
  std::vector<ProductItem> items;
  for (const std::string &name : names) {
    std::string componentPath = Join(path, name);
    uint32_t id = 0;
    if (!StatInside(scan, componentPath, &info)) continue;
    if (!S_ISDIR(info.st_mode)) {
      Problem(scan, componentPath, "Files/ holds only component folders (named by decimal ID)");
      continue;
    }
    if (!ParseComponentFolder(name, &id)) {
      Problem(scan, componentPath,
              "component folder must be a decimal ID 0..2147483647 without leading zeros");
      continue;
    }
    // Windows folds letter case: two names that differ only in case would
    // overwrite each other in the install folder.
    std::vector<std::string> folded;
    WalkProductFolder(scan, componentPath, "", id, &items, &folded, 0);
    std::sort(folded.begin(), folded.end());
    for (size_t i = 1; i < folded.size(); i++) {
      if (folded[i] == folded[i - 1]) {
        Problem(scan, componentPath,
                "two names differ only in letter case: " + Windows1252ToUtf8(folded[i]));
      }
    }
  }
  std::sort(items.begin(), items.end(), [](const ProductItem &a, const ProductItem &b) {
    if (a.componentId != b.componentId) return a.componentId < b.componentId;
    return a.relativePath < b.relativePath;
  });
  for (const ProductItem &item : items) project->productEntries.push_back(item.file);
}

void NoteUnknownItems(ScanContext *scan) {
  static const char *const kKnown[] = {"Script.qvs", "Languages",  "License",    "Information",
                                       "Wizard.bmp", "Header.bmp", "Background.bmp",
                                       "Uninstaller.exe", "Files"};
  std::vector<std::string> names;
  if (!ListFolder(scan, scan->root, &names)) return;
  for (const std::string &name : names) {
    if (name[0] == '.') continue;
    bool known = false;
    for (const char *k : kKnown) known = known || name == k;
    if (!known) scan->notes->push_back(Join(scan->root, name) + ": not part of the layout, ignored");
  }
}

}  // namespace

bool ScanProject(const std::string &root, const ScanOptions &options, Project *project,
                 std::vector<std::string> *problems, std::vector<std::string> *notes) {
  ScanContext scan;
  scan.root = root;
  scan.problems = problems;
  scan.notes = notes;
  project->root = root;
  project->scriptText.clear();
  project->scriptRequiresAdmin = false;
  project->configEntries.clear();
  project->productEntries.clear();
  size_t problemsBefore = problems->size();

  char resolved[PATH_MAX];
  struct stat info;
  if (realpath(root.c_str(), resolved) == NULL || stat(resolved, &info) != 0 ||
      !S_ISDIR(info.st_mode)) {
    Problem(&scan, root, "project folder not found");
    return false;
  }
  scan.realRoot = resolved;
  NoteUnknownItems(&scan);
  ScanScript(&scan, project);
  ScanOptionalFile(&scan, project, "Wizard.bmp", "Config\\Wizard.bmp", "BM", "a BMP image");
  ScanOptionalFile(&scan, project, "Header.bmp", "Config\\Header.bmp", "BM", "a BMP image");
  ScanOptionalFile(&scan, project, "Background.bmp", "Config\\Background.bmp", "BM",
                   "a BMP image");
  ScanOptionalFile(&scan, project, "Uninstaller.exe", "Config\\Uninstaller.bin", "MZ",
                   "a Windows executable");
  ScanLanguages(&scan, options, project);
  ScanLanguageTexts(&scan, project, "Information");
  ScanLanguageTexts(&scan, project, "License");
  ScanProducts(&scan, project);
  return problems->size() == problemsBefore;
}
