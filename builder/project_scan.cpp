#include "builder/project_scan.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "archive/archive_format.h"
#include "builder/os_files.h"
#include "builder/path_rules.h"
#include "builder/script_checks.h"
#include "builder/source_file.h"
#include "format/image_boxes.h"
#include "format/payload_limits.h"

namespace {

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

// The names in a folder, sorted bytewise on their UTF-8 form: the same
// order on every host.
bool ListSortedFolder(ScanContext *scan, const std::string &path, std::vector<std::string> *names) {
  if (!ListFolder(path, names)) {
    Problem(scan, path, "cannot read folder: " + LastSystemError());
    return false;
  }
  std::sort(names->begin(), names->end());
  return true;
}

// The status of `path`, following a symbolic link only when it stays
// inside the project: a link out of it would pack files the vendor never
// put there.
bool StatInside(ScanContext *scan, const std::string &path, FileStatus *info) {
  if (!StatusOfPath(path, false, info)) {
    Problem(scan, path, "cannot read: " + LastSystemError());
    return false;
  }
  if (info->kind != kFileLink) return true;
  std::string target = ResolvedPath(path);
  if (target.empty()) {
    Problem(scan, path, "symbolic link to nothing");
    return false;
  }
  if (!PathIsWithin(target, scan->realRoot)) {
    Problem(scan, path, "symbolic link pointing outside the project");
    return false;
  }
  if (!StatusOfPath(path, true, info)) {
    Problem(scan, path, "cannot read: " + LastSystemError());
    return false;
  }
  if (info->kind == kFileFolder) {
    Problem(scan, path, "symbolic link to a folder (not followed; copy the folder instead)");
    return false;
  }
  return true;
}

InputFile MakeInput(const std::string &entryName, const std::string &path, const FileStatus &info) {
  InputFile file;
  file.entryName = entryName;
  file.sourcePath = path;
  file.memory = NULL;
  file.size = info.size;
  file.modifiedUtc = info.modifiedSeconds;
  file.modificationTime = 0;
  file.attributes = kAttributeArchive | (info.readOnly ? kAttributeReadOnly : 0);
  file.identity = IdentityOf(info);
  return file;
}

// The installer keeps these texts in memory and refuses larger ones.
bool WithinTextLimit(ScanContext *scan, const std::string &path, const FileStatus &info,
                     uint32_t limit) {
  if (info.size <= limit) return true;
  Problem(scan, path, "larger than " + std::to_string(limit / 1024) +
                          " KiB, more than the installer accepts for this kind of text");
  return false;
}

// Reads a script or language file, refusing what the installer would
// misread (see DocumentTextProblem).
bool ReadDocumentText(ScanContext *scan, const std::string &path, const FileStatus &info,
                      uint32_t limit, std::string *text) {
  if (!WithinTextLimit(scan, path, info, limit)) return false;
  std::string error;
  if (!ReadSourceFile(path, IdentityOf(info), text, &error)) {
    scan->problems->push_back(error);
    return false;
  }
  std::string problem = DocumentTextProblem(*text);
  if (!problem.empty()) {
    Problem(scan, path, problem);
    return false;
  }
  return true;
}

// A regular, non-empty file (after StatInside); reports and returns false otherwise.
bool RegularFile(ScanContext *scan, const std::string &path, const FileStatus &info,
                 bool allowEmpty) {
  if (info.kind != kFileRegular) {
    Problem(scan, path, "not a regular file");
    return false;
  }
  if (!allowEmpty && info.size == 0) {
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
  std::string path = JoinPath(scan->root, "Script.qvs");
  FileStatus info;
  if (!StatusOfPath(path, false, &info)) {
    Problem(scan, path, "missing: the installer script is required");
    return;
  }
  if (!StatInside(scan, path, &info) || !RegularFile(scan, path, info, false)) return;
  if (!ReadDocumentText(scan, path, info, kMaxScriptSize, &project->scriptText)) return;
  project->scriptRequiresAdmin = ScriptRequiresAdministrator(project->scriptText);
  project->configEntries.push_back(MakeInput("Config\\Script.qvs", path, info));
}

// An optional single file that must start with `magic`.
// The bytes of a file's start that the optional files are judged by: the
// magic and, for a BMP image, its file and information headers' sizes.
const size_t kOptionalHeadSize = 26;

struct PictureBox {
  const char *fileName;
  int width;
  int height;
  const char *shownAs;
};

const PictureBox kPictureBoxes[] = {
    {"Wizard.bmp", kWizardImageWidth, kWizardImageHeight, "the welcome and finish pages' picture"},
    {"Header.bmp", kHeaderWidth, kHeaderHeight, "the pages' header"},
};

int32_t LittleEndian32(const unsigned char *bytes) {
  return (int32_t)((uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 |
                   (uint32_t)bytes[3] << 24);
}

// A picture that the wizard will stretch into its box gets a note: it
// works, but an exact size stays sharp.
void NotePictureSize(ScanContext *scan, const std::string &path, const char *fileName,
                     const unsigned char *head, size_t size) {
  const PictureBox *box = nullptr;
  for (const PictureBox &candidate : kPictureBoxes)
    if (strcmp(candidate.fileName, fileName) == 0) box = &candidate;
  if (box == nullptr || size < kOptionalHeadSize) return;
  const uint32_t infoSize = (uint32_t)LittleEndian32(head + 14);
  int64_t width = 0, height = 0;
  if (infoSize == 12) {  // the old core header: 16-bit sizes
    width = head[18] | head[19] << 8;
    height = head[20] | head[21] << 8;
  } else if (infoSize >= 40) {
    width = LittleEndian32(head + 18);
    height = LittleEndian32(head + 22);
    if (height < 0) height = -height;  // stored top-down
  } else {
    return;
  }
  if (width == box->width && height == box->height) return;
  scan->notes->push_back(path + ": " + std::to_string((long long)width) + "x" +
                         std::to_string((long long)height) + " pixels; " + box->shownAs +
                         " is " + std::to_string(box->width) + "x" + std::to_string(box->height) +
                         ", so the wizard stretches it (an image of exactly that size stays sharp)");
}

// Reads up to `size` bytes of a file's start through the checked open;
// -1, with the problem noted, when it cannot be opened.
int64_t ReadFileHead(ScanContext *scan, const std::string &path, const FileStatus &info,
                     void *head, size_t size) {
  std::string error;
  OsFile file = OpenSourceFile(path, IdentityOf(info), &error);
  if (file == kNoFile) {
    scan->problems->push_back(error);
    return -1;
  }
  size_t got = 0;
  bool ok = ReadFromFile(file, head, size, &got);
  if (!ok) Problem(scan, path, "cannot read: " + LastSystemError());
  CloseFile(&file);
  return ok ? (int64_t)got : -1;
}

void ScanOptionalFile(ScanContext *scan, Project *project, const char *fileName,
                      const char *entryName, const char *magic, const char *kind) {
  std::string path = JoinPath(scan->root, fileName);
  FileStatus info;
  if (!StatusOfPath(path, false, &info)) return;
  if (!StatInside(scan, path, &info) || !RegularFile(scan, path, info, false)) return;
  unsigned char head[kOptionalHeadSize] = {0};
  const int64_t got = ReadFileHead(scan, path, info, head, sizeof head);
  if (got < 0) return;
  if (got < 2 || !HasPrefix(std::string((const char *)head, 2), magic)) {
    Problem(scan, path, std::string("not ") + kind);
    return;
  }
  NotePictureSize(scan, path, fileName, head, (size_t)got);
  project->configEntries.push_back(MakeInput(entryName, path, info));
}

// Every installer carries an uninstaller: the builder's own, unless the
// project brings one.
void AddDefaultUninstaller(ScanContext *scan, Project *project, const std::string &path) {
  const char *const kHint =
      "the uninstaller is missing or not a Windows executable; build it (make), name one with "
      "--uninstaller FILE or QVS_UNINSTALLER, or put Uninstaller.exe in the project";
  FileStatus info;
  if (!StatusOfPath(path, true, &info) || info.kind != kFileRegular) {
    Problem(scan, path, kHint);
    return;
  }
  char head[2] = {0, 0};
  const int64_t got = ReadFileHead(scan, path, info, head, sizeof head);
  if (got < 0) return;
  if (got != (int64_t)sizeof head || head[0] != 'M' || head[1] != 'Z') {
    Problem(scan, path, kHint);
    return;
  }
  project->configEntries.push_back(MakeInput("Config\\Uninstaller.bin", path, info));
}

void ScanLanguageTexts(ScanContext *scan, Project *project, const char *folder) {
  std::string path = JoinPath(scan->root, folder);
  FileStatus info;
  if (!StatusOfPath(path, false, &info)) return;
  if (!StatInside(scan, path, &info)) return;
  if (info.kind != kFileFolder) {
    Problem(scan, path, "not a folder");
    return;
  }
  std::vector<std::string> names;
  if (!ListSortedFolder(scan, path, &names)) return;
  for (const std::string &name : names) {
    std::string filePath = JoinPath(path, name);
    std::string ansi;
    if (!StatInside(scan, filePath, &info) || !RegularFile(scan, filePath, info, false)) continue;
    if (!WindowsName(scan, filePath, name, &ansi)) continue;
    if (!IsLanguageTextName(ansi)) {
      Problem(scan, filePath, "name must be Default.<ext> or <LangID>.<ext>, e.g. 1033.txt");
      continue;
    }
    if (!WithinTextLimit(scan, filePath, info, kMaxInfoTextSize)) continue;
    project->configEntries.push_back(
        MakeInput(std::string(folder) + "\\" + ansi, filePath, info));
  }
}

void ScanLanguages(ScanContext *scan, const ScanOptions &options, Project *project) {
  std::string path = JoinPath(scan->root, "Languages");
  std::vector<InputFile> languages;
  bool haveEnglishFile = false;
  FileStatus info;
  if (StatusOfPath(path, false, &info) && StatInside(scan, path, &info)) {
    std::vector<std::string> names;
    if (info.kind != kFileFolder) {
      Problem(scan, path, "not a folder");
    } else if (ListSortedFolder(scan, path, &names)) {
      for (const std::string &name : names) {
        std::string filePath = JoinPath(path, name);
        std::string ansi;
        if (!StatInside(scan, filePath, &info) || !RegularFile(scan, filePath, info, false))
          continue;
        if (!WindowsName(scan, filePath, name, &ansi)) continue;
        std::string folded = FoldWindowsCase(ansi);
        if (!IsLanguageFileName(ansi)) {
          Problem(scan, filePath, "not a language file (*.lng)");
          continue;
        }
        std::string text;
        if (!ReadDocumentText(scan, filePath, info, kMaxLanguageFileSize, &text)) continue;
        if (folded == "english.lng") haveEnglishFile = true;
        languages.push_back(MakeInput("Languages\\" + ansi, filePath, info));
      }
    }
  }
  if (options.englishLanguage != NULL) {
    if (haveEnglishFile) {
      Problem(scan, JoinPath(path, "English.lng"),
              "already present; --add-english would add a second English file");
    } else {
      InputFile english;
      english.entryName = "Languages\\English.lng";
      english.memory = options.englishLanguage;
      english.size = options.englishLanguageSize;
      english.modifiedUtc = 0;
      english.modificationTime = 0;
      english.attributes = kAttributeArchive;
      memset(&english.identity, 0, sizeof english.identity);
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
  if (!ListSortedFolder(scan, path, &names)) return;
  for (const std::string &name : names) {
    std::string itemPath = JoinPath(path, name);
    std::string ansi;
    FileStatus info;
    if (!StatInside(scan, itemPath, &info)) continue;
    if (!WindowsName(scan, itemPath, name, &ansi)) continue;
    std::string itemRelative = relative.empty() ? ansi : relative + "\\" + ansi;
    const char *problem = RelativePathProblem(itemRelative);
    if (problem != NULL) {
      Problem(scan, itemPath, problem);
      continue;
    }
    foldedNames->push_back(FoldWindowsCase(itemRelative));
    if (info.kind == kFileFolder) {
      // The path-length bound already stops any real nesting; this guards loops.
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
  std::string path = JoinPath(scan->root, "Files");
  FileStatus info;
  if (!StatusOfPath(path, false, &info)) return;
  if (!StatInside(scan, path, &info)) return;
  if (info.kind != kFileFolder) {
    Problem(scan, path, "not a folder");
    return;
  }
  std::vector<std::string> names;
  if (!ListSortedFolder(scan, path, &names)) return;
  std::vector<ProductItem> items;
  for (const std::string &name : names) {
    std::string componentPath = JoinPath(path, name);
    uint32_t id = 0;
    if (!StatInside(scan, componentPath, &info)) continue;
    if (info.kind != kFileFolder) {
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
  if (!ListSortedFolder(scan, scan->root, &names)) return;
  for (const std::string &name : names) {
    if (name[0] == '.') continue;
    bool known = false;
    for (const char *k : kKnown) known = known || name == k;
    if (!known) scan->notes->push_back(JoinPath(scan->root, name) + ": not part of the layout, ignored");
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

  std::string resolved = ResolvedPath(root);
  FileStatus info;
  if (resolved.empty() || !StatusOfPath(resolved, true, &info) || info.kind != kFileFolder) {
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
  const size_t configEntries = project->configEntries.size();
  ScanOptionalFile(&scan, project, "Uninstaller.exe", "Config\\Uninstaller.bin", "MZ",
                   "a Windows executable");
  if (project->configEntries.size() == configEntries && options.defaultUninstaller != NULL)
    AddDefaultUninstaller(&scan, project, options.defaultUninstaller);
  ScanLanguages(&scan, options, project);
  ScanLanguageTexts(&scan, project, "Information");
  ScanLanguageTexts(&scan, project, "License");
  ScanProducts(&scan, project);
  return problems->size() == problemsBefore;
}
