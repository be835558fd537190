// System DLLs come from the system folder, whatever lies beside the program.
#include <windows.h>

#include "platform/files.h"
#include "platform/libraries.h"
#include "tests/stub/stub_check.h"

namespace {

std::string LoadedPath(LibraryHandle library) {
  char path[MAX_PATH + 1] = {0};
  DWORD length = GetModuleFileNameA((HMODULE)library, path, MAX_PATH);
  return std::string(path, length);
}

bool SameFolder(const std::string &file, const std::string &folder) {
  size_t slash = file.find_last_of('\\');
  return slash != std::string::npos && lstrcmpiA(file.substr(0, slash).c_str(), folder.c_str()) == 0;
}

}  // namespace

STUB_TEST(SystemLibrariesLoadFromTheSystemFolder) {
  std::string system;
  CHECK(GetSystemFolder(&system) && !system.empty() && system[system.size() - 1] != '\\');
  LibraryHandle version = LoadSystemLibrary("version.dll");
  CHECK(version != NULL);
  CHECK(SameFolder(LoadedPath(version), system));
  CHECK(FindLibraryFunction(version, "GetFileVersionInfoSizeA") != NULL);
  CHECK(FindLibraryFunction(version, "NoSuchExport") == NULL);
  FreeLibraryHandle(&version);
  CHECK(version == NULL);
  FreeLibraryHandle(&version);  // safe twice
  CHECK(LoadSystemLibrary("no-such-library.dll") == NULL);
  CHECK(LoadSystemLibrary(NULL) == NULL);
}

STUB_TEST(PlantedLibraryBesideTheProgramIsIgnored) {
  std::string own;
  CHECK(GetOwnExecutablePath(&own));
  std::string planted = own.substr(0, own.find_last_of('\\') + 1) + "version.dll";
  FileHandle file = CreateNewFileForWriting(planted, NULL);
  CHECK(file != NULL);
  CHECK(WriteToFile(file, "not a library", 13));
  CloseFileHandle(&file);
  std::string system;
  GetSystemFolder(&system);
  LibraryHandle version = LoadSystemLibrary("version.dll");
  CHECK(version != NULL && SameFolder(LoadedPath(version), system));
  FreeLibraryHandle(&version);
  DeleteFileAt(planted);
}

STUB_TEST(HardenedSearchStillFindsSystemLibraries) {
  HardenDllSearch();
  LibraryHandle rich = LoadSystemLibrary("riched20.dll");
  CHECK(rich != NULL);
  FreeLibraryHandle(&rich);
  CHECK(FindLibraryFunction(GetLoadedSystemLibrary("kernel32.dll"), "GetTempPathA") != NULL);
}
