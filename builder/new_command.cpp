#include "builder/new_command.h"

#include <vector>

#include "builder/embedded_english.h"
#include "builder/os_files.h"

namespace {

const char kProductMark[] = "{Product}";

// The starting script. Lines end in LF here and CR LF in the file.
const char kScript[] = R"(;
; Installer script of {Product}, made by "qvsbuild new".
;
; Every group and key is described in docs/script-reference.md of the
; Quorvantis installer system ("qvsbuild reference" prints it).
;   qvsbuild check FOLDER                checks this project
;   qvsbuild build FOLDER -o setup.exe   builds the installer
;
; Lines end in CR LF. Group and key names ignore letter case; a key that is
; left out reads as 0 or as an empty text. Path variables such as
; <programfiles> stand for folders of the machine the product is installed on.
;
;-------------------------------------------------------------------------------

[GeneralInformation]
; Shown throughout the wizard and in Add/Remove Programs.
ProgramName = {Product}
ProgramVersion = 1.0
ProgramWebsite = https://www.example.com/
SupportEmail = support@example.com
CompanyName = My Company
CopyrightString = Copyright (c) My Company
InstallerBandText = {Product} Setup
InstallerWindowTitle = {Product} 1.0 Setup

;-------------------------------------------------------------------------------

[SystemRequirements]
; 1: the installer runs on that Windows version. Win7 also stands for
; Windows 8, 8.1, 10 and 11, WinServer2008 for later servers.
Win95 = 0
WinNT4 = 0
Win98 = 0
WinMe = 0
Win2000 = 0
WinXP = 1
Win2003 = 1
WinVista = 1
Win2008 = 1
Win7 = 1
; 1 would refuse 64-bit Windows.
InstallerType = 0

;-------------------------------------------------------------------------------

[FileConfig]
; A file already where a product file goes: 0 replace it, 1 replace it
; unless it is newer, 2 ask.
ReplaceStatus = 1

;-------------------------------------------------------------------------------

[Categories]
; The rows of the components page; each component shows under one.
Items = 10

[10]
ID = 10
InternalName = Product
; The group [100] holds its name per language (LangID = text; -1: any other).
LocalizedNameID = 100

[100]
1033 = {Product}
-1 = {Product}

;-------------------------------------------------------------------------------

[Components]
; Each component's files are the project's Files/<ID> folder.
Items = 1

[1]
ID = 1
CategoryID = 10
InternalName = Program
LocalizedNameID = 101
DescriptionID = 102
; <AppDir> stands for this component's folder in every text below.
PathVariable = <AppDir>
; The principal component's folder is the install folder the user may change.
InstallationPath = <programfiles>\{Product}
IsPrincipal = 1
IsPathEnforced = 0
IsMandatory = 0
IsMarked = 1

[101]
1033 = Program files
-1 = Program files

[102]
1033 = {Product} and its files.
-1 = {Product} and its files.

;-------------------------------------------------------------------------------

[LookAndFeel]
; The page headers' title and subtitle (Header.bmp, 500 x 60, is optional).
HeaderTitleTextFont = Tahoma
HeaderTitleTextSize = 8
; 256 bold, 512 italic, 4 underline, 8 strike-out, 16 proof quality.
HeaderTitleTextFlags = 256
HeaderTitleTextPosX = 15
HeaderTitleTextPosY = 10
; Colours are $BBGGRR.
HeaderTitleTextColor = $000000
HeaderTextFont = Tahoma
HeaderTextSize = 8
HeaderTextFlags = 0
HeaderTextPosX = 25
HeaderTextPosY = 30
HeaderTextColor = $000000
; The licence page shows License/Default.txt (or License/<LangID>.txt).
ShowLicense = 1
ShowInformation = 0
ShowCopyrightNotice = 1

;-------------------------------------------------------------------------------

[InstallerSettings]
; A start-menu group, which the user may rename or decline.
CreateGroup = 1
CustomStartMenuGroup = {Product}
CreateUninstallShortcut = 1
CustomStartMenuUninstall = Uninstall {Product}
; The program's shortcut in the group. Point SMProgramFilePath at your
; program, for example <AppDir>\{Product}.exe.
CreateSMProgramShortcut = 1
SMProgramOutputName = {Product}
SMProgramFilePath = <AppDir>\ReadMe.txt
SMProgramStartIn = <AppDir>
SMProgramComment = Start {Product}
SMProgramComponentID = 1
; The finish page offers to open the readme.
ViewReadmeCheckbox = 1
ViewReadmePath = <AppDir>\ReadMe.txt
; 1: through the shell, so that a document opens in its program.
ViewReadmeRunMode = 1
ViewReadmeComponentID = 1

;-------------------------------------------------------------------------------

[InstallerTasks]
; What the installation does besides copying files; the uninstaller undoes it.
Items = 30,31

[30]
ID = 30
Name = Desktop shortcut
; 3: a shortcut. One on <desktop> is made when the tasks page's box is ticked
; (it is at first; /NODESKTOP clears it in a silent run).
Type = 3
WinXP = 1
WinServer2003 = 1
WinVista = 1
WinServer2008 = 1
Win7 = 1
ComponentID = 1
OutputPath = <desktop>\{Product}
FilePath = <AppDir>\ReadMe.txt
StartIn = <AppDir>
Comment = Start {Product}

[31]
ID = 31
Name = Install folder in the registry
; 2: a registry value; its key is made when it is missing.
Type = 2
WinXP = 1
WinServer2003 = 1
WinVista = 1
WinServer2008 = 1
Win7 = 1
ComponentID = 1
; 1: HKEY_CURRENT_USER, 2: HKEY_LOCAL_MACHINE.
BaseKey = 1
KeyPath = Software\My Company\{Product}
ValueName = InstallFolder
ValueData = <AppDir>
; 0: text, 1: number.
ValueType = 0

;-------------------------------------------------------------------------------

[UninstallerSettings]
; The uninstaller and its entry in Add/Remove Programs.
CreateUninstaller = 1
CreateAddRemoveEntry = 1
AddRemoveEntryName = {Product}
)";

const char kLicense[] = R"(License agreement for {Product}

Replace this text with your product's licence. License/Default.txt is shown
to every language that has no License/<LangID>.txt of its own.
)";

const char kReadMe[] = R"({Product}

This file stands for your product's files: put them into Files/1, the
folder of component 1, and name your program in SMProgramFilePath of
Script.qvs.
)";

std::string Fill(const std::string &text, const std::string &product) {
  std::string out;
  for (size_t i = 0; i < text.size(); i++) {
    if (text.compare(i, sizeof kProductMark - 1, kProductMark) == 0) {
      out += product;
      i += sizeof kProductMark - 2;
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

// The name `path` ends in, separators at its end ignored.
std::string LastName(const std::string &path) {
  const auto isSeparator = [](char c) { return c == '/' || c == kPathSeparator; };
  size_t end = path.size();
  while (end > 0 && isSeparator(path[end - 1])) end--;
  size_t start = end;
  while (start > 0 && !isSeparator(path[start - 1])) start--;
  return path.substr(start, end - start);
}

// The folder's own name when it makes a plain product name, else a
// stand-in: the name goes into folder names and the start-menu group.
std::string ProductName(const std::string &folder) {
  const std::string name = LastName(folder);
  bool plain = !name.empty() && name.size() <= 40 && name != "." && name != ".." &&
               name.back() != '.' && name.back() != ' ';
  for (char c : name) {
    plain = plain && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == ' ' || c == '-' || c == '_' || c == '.');
  }
  return plain ? name : "My Product";
}

// What this run made, so that a failure takes it away again and leaves no
// half-written project.
struct MadeItems {
  std::vector<std::string> files;
  std::vector<std::string> folders;  // in the order made
};

void RemoveMade(const MadeItems &made) {
  for (const std::string &file : made.files) RemoveFile(file);
  for (size_t i = made.folders.size(); i-- > 0;) RemoveEmptyFolder(made.folders[i]);
}

// Makes `path` and the folders above it that are missing. The ones above
// may be links to folders (the user named that path); what is made here
// must be a real folder afterwards.
bool MakeFolders(const std::string &path, MadeItems *made, std::string *error) {
  FileStatus status;
  if (StatusOfPath(path, true, &status)) {
    if (status.kind == kFileFolder) return true;
    *error = path + ": not a folder";
    return false;
  }
  const std::string parent = FolderOfPath(path);
  if (parent != path && parent != "." && !MakeFolders(parent, made, error)) return false;
  if (!MakeFolder(path)) {
    *error = path + ": cannot create the folder: " + LastSystemError();
    return false;
  }
  if (!StatusOfPath(path, false, &status) || status.kind != kFileFolder) {
    *error = path + ": not a folder (a link or a file is in the way)";
    return false;
  }
  made->folders.push_back(path);
  return true;
}

// Writes a new file: never over one that is there, never through a link.
bool WriteNewFile(const std::string &path, const std::string &bytes, MadeItems *made,
                  std::string *error) {
  OsFile file = CreateNewFile(path);
  if (file == kNoFile) {
    *error = path + ": cannot create the file: " + LastSystemError();
    return false;
  }
  made->files.push_back(path);
  bool ok = WriteFileAt(file, 0, bytes.data(), bytes.size()) && ApplyNewFileMode(file, kNewFileData);
  if (!ok) *error = path + ": cannot write: " + LastSystemError();
  if (!CloseFile(&file) && ok) {
    *error = path + ": cannot write: " + LastSystemError();
    ok = false;
  }
  return ok;
}

// An empty folder, or none at all, may receive the project.
bool FolderIsFree(const std::string &folder, std::string *error) {
  FileStatus status;
  if (!StatusOfPath(folder, false, &status)) return true;
  std::vector<std::string> names;
  if (status.kind == kFileFolder && ListFolder(folder, &names) && names.empty()) return true;
  *error = folder + ": exists and is not an empty folder; name a new one";
  return false;
}

}  // namespace

bool WriteNewProject(const std::string &folder, std::string *error) {
  if (!FolderIsFree(folder, error)) return false;
  if (kEnglishLanguageFileSize == 0) {
    *error = "this builder was built without lang/English.lng; add that file and rebuild";
    return false;
  }
  const std::string product = ProductName(folder);
  const std::string english((const char *)kEnglishLanguageFile, kEnglishLanguageFileSize);
  const std::string languages = JoinPath(folder, "Languages");
  const std::string license = JoinPath(folder, "License");
  const std::string component = JoinPath(JoinPath(folder, "Files"), "1");
  MadeItems made;
  const bool ok =
      MakeFolders(folder, &made, error) && MakeFolders(languages, &made, error) &&
      MakeFolders(license, &made, error) && MakeFolders(component, &made, error) &&
      WriteNewFile(JoinPath(folder, "Script.qvs"), Fill(kScript, product), &made, error) &&
      WriteNewFile(JoinPath(languages, "English.lng"), english, &made, error) &&
      WriteNewFile(JoinPath(license, "Default.txt"), Fill(kLicense, product), &made, error) &&
      WriteNewFile(JoinPath(component, "ReadMe.txt"), Fill(kReadMe, product), &made, error);
  if (!ok) RemoveMade(made);
  return ok;
}
