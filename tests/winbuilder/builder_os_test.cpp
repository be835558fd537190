// The builder's OS layer on Windows: path forms (drive letters, UNC, the
// "\\?\" form of long paths, letter case), names Windows cannot hold, files
// below a path longer than the classic limit with a name outside ASCII, the
// read-only attribute, and a program started with awkward arguments and
// input (this program again, in its --echo role).
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "builder/os_files.h"
#include "builder/os_system.h"
#include "builder/os_windows_text.h"
#include "tests/wine/checks.h"

namespace {

int Echo(const std::vector<std::string> &arguments) {
  std::string input;
  char buffer[256];
  size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, stdin)) > 0) input.append(buffer, got);
  for (size_t i = 2; i < arguments.size(); i++) printf("[%s]", arguments[i].c_str());
  printf("<%s>", input.c_str());
  return 5;
}

void PathForms() {
  CHECK(JoinPath("C:", "x") == "C:x", "drive-relative join");
  CHECK(JoinPath("C:\\", "x") == "C:\\x", "join at the root");
  CHECK(JoinPath("C:/a", "b") == "C:/a\\b", "join after a slash path");
  CHECK(FolderOfPath("C:\\a\\b.exe") == "C:\\a", "folder of a file");
  CHECK(FolderOfPath("C:\\b.exe") == "C:\\", "the root keeps its separator");
  CHECK(FolderOfPath("C:b.exe") == "C:", "drive-relative folder");
  CHECK(FolderOfPath("\\\\server\\share\\b.exe") == "\\\\server\\share", "UNC folder");
  CHECK(PathIsWithin("C:\\Proj\\Files\\x", "c:\\proj"), "letter case is ignored");
  CHECK(!PathIsWithin("C:\\Project2", "C:\\Proj"), "a longer name is not inside");
  CHECK(PathIsWithin("C:\\x", "C:\\"), "everything is inside the root");
  std::wstring wide;
  CHECK(SystemPath("C:\\short\\path.txt", &wide) && wide == L"C:\\short\\path.txt",
        "a short path as given");
  std::string longPath = "C:\\" + std::string(300, 'a') + "\\f.txt";
  CHECK(SystemPath(longPath, &wide) && wide.compare(0, 7, L"\\\\?\\C:\\") == 0, "a long path");
  CHECK(SystemPath("\\\\srv\\share\\" + std::string(300, 'b'), &wide) &&
            wide.compare(0, 8, L"\\\\?\\UNC\\") == 0,
        "a long UNC path");
  CHECK(!SystemPath("bad\xC3", &wide), "invalid UTF-8 is no path");
  CHECK(HostNameProblem("1\\CON.txt") != NULL, "a device name is refused");
  CHECK(HostNameProblem("1\\dot.") != NULL, "a trailing dot is refused");
  CHECK(HostNameProblem("_$_INSTALLER_Data_0123456_$_\\Config\\Script.qvs") == NULL,
        "configuration entries are fine");
}

void LongPathFiles() {
  std::string folder;
  CHECK(MakePrivateFolder(&folder), "a private folder");
  std::string deep = folder;
  for (int i = 0; i < 6; i++) {
    deep = JoinPath(deep, "folder-with-a-long-name-number-" + std::to_string(i) + "-of-the-path");
    CHECK(MakeFolder(deep), "folder " + std::to_string(i));
  }
  CHECK(deep.size() > 300, "the path is long");
  const std::string name = "\xC3\x9Cnic\xC3\xB8" "de \xE2\x82\xAC.txt";  // Ünicøde €.txt
  const std::string file = JoinPath(deep, name);
  OsFile out = CreateNewFile(file);
  CHECK(out != kNoFile && WriteFileAt(out, 0, "0123456789", 10) &&
            ApplyNewFileMode(out, kNewFileReadOnly) && CloseFile(&out),
        "a file written below the long path");
  CHECK(CreateNewFile(file) == kNoFile, "never over a file there");
  FileStatus status;
  CHECK(StatusOfPath(file, false, &status) && status.kind == kFileRegular && status.size == 10 &&
            status.readOnly,
        "its status");
  std::vector<std::string> names;
  CHECK(ListFolder(deep, &names) && names.size() == 1 && names[0] == name, "listed as UTF-8");
  std::string resolved = ResolvedPath(file);
  CHECK(PathIsWithin(resolved, ResolvedPath(folder)), "resolved: " + resolved);
  OsFile in = OpenFileForReading(file);
  char bytes[4] = {0};
  CHECK(in != kNoFile && ReadFileAt(in, 3, bytes, 4) && memcmp(bytes, "3456", 4) == 0,
        "read at an offset");
  CHECK(!ReadFileAt(in, 8, bytes, 4), "reading past the end fails");
  CloseFile(&in);
  std::string other;
  OsFile temp = CreateUniqueFile(JoinPath(deep, "new-"), &other);
  CHECK(temp != kNoFile && CloseFile(&temp) && RenameOver(other, file),
        "renamed over the read-only file");
  CHECK(StatusOfPath(file, false, &status) && status.size == 0, "the new file is there");
  CHECK(!RemoveEmptyFolder(deep) && !LastSystemError().empty(), "a failure says why");
  CHECK(RemoveFile(file), "removed");
  for (std::string at = deep; at.size() >= folder.size(); at = FolderOfPath(at))
    RemoveEmptyFolder(at);
  CHECK(!StatusOfPath(folder, false, &status), "all gone");
}

void ProgramRun(const std::vector<std::string> &arguments) {
  char self[MAX_PATH];
  GetModuleFileNameA(NULL, self, sizeof self);
  std::string output;
  int exitCode = -1;
  CHECK(RunProgram({self, "--echo", "a \"b\" c", "d\\", "", "\xE2\x82\xAC"}, "pass word", &output,
                   &exitCode),
        "started");
  CHECK(exitCode == 5, "its exit code");
  CHECK(output == "[a \"b\" c][d\\][][\xE2\x82\xAC]<pass word>", "arguments and input: " + output);
  CHECK(!RunProgram({"C:\\no\\such.exe"}, "", &output, &exitCode), "a missing program");
  CHECK(FindProgram("cmd.exe").size() > 8, "cmd.exe found on PATH");
  CHECK(arguments.size() == 1, "no arguments of its own");
}

}  // namespace

int main(int argc, char **argv) {
  std::vector<std::string> arguments = ProgramArguments(argc, argv);
  if (arguments.size() > 1 && arguments[1] == "--echo") return Echo(arguments);
  PathForms();
  LongPathFiles();
  ProgramRun(arguments);
  return ReportChecks();
}
