// The temporary module file: its name, and that nobody else can change it
// between writing and loading.
#include <string.h>
#include <windows.h>

#include "platform/files.h"
#include "startup/temp_module.h"
#include "tests/stub/stub_check.h"

STUB_TEST(TempNamesFollowTheFixedPattern) {
  CHECK(TempModuleFileName("C:\\Temp\\", 123456) == "C:\\Temp\\_temp_123456.tmp");
  CHECK(TempModuleFileName("C:\\Temp", 0) == "C:\\Temp\\_temp_0.tmp");
  CHECK(TempModuleFileName("C:\\Temp", kTempNumberMaximum) == "C:\\Temp\\_temp_7777777.tmp");
  std::string folder;
  CHECK(GetTemporaryFolder(&folder) && !folder.empty());
  for (int i = 0; i < 50; i++) {
    std::string path = MakeTempModulePath();
    CHECK(path.compare(0, folder.size(), folder) == 0 && path.find("\\_temp_") != std::string::npos);
    CHECK(path.size() > 4 && path.compare(path.size() - 4, 4, ".tmp") == 0);
    size_t digits = path.rfind("_temp_") + 6;
    unsigned long number = strtoul(path.c_str() + digits, NULL, 10);
    CHECK(number <= kTempNumberMaximum);
    CHECK(!FileExists(path));
  }
}

namespace {

int gNamesAsked = 0;
bool EveryNameTaken(const std::string &) {
  gNamesAsked++;
  return true;
}
bool SecondNameFree(const std::string &) { return ++gNamesAsked < 2; }

}  // namespace

// A folder whose every name is taken ends the search instead of looping.
STUB_TEST(TempNameSearchGivesUpWhenEveryNameIsTaken) {
  gNamesAsked = 0;
  CHECK(FindUnusedTempName("C:\\Full", EveryNameTaken, kTempNameAttempts).empty());
  CHECK(gNamesAsked == kTempNameAttempts);
  gNamesAsked = 0;
  std::string path = FindUnusedTempName("C:\\Full", SecondNameFree, kTempNameAttempts);
  CHECK(gNamesAsked == 2);
  CHECK(path.compare(0, 14, "C:\\Full\\_temp_") == 0);
}

STUB_TEST(WrittenModuleIsLockedAgainstWritersUntilReleased) {
  const char bytes[] = "MZ pretend module bytes";
  std::string path;
  FileHandle lock = NULL;
  CHECK(WriteTempModule((const uint8_t *)bytes, sizeof bytes, &path, &lock) == kTempModuleReady);
  CHECK(lock != NULL && FileExists(path));
  uint64_t size = 0;
  CHECK(ReadFileSizeAt(path, &size) && size == sizeof bytes);
  // While locked: no writer, no delete, no rename, but readers may look.
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, 0, NULL);
  CHECK(writer == INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  CHECK(!DeleteFileAt(path));
  CHECK(!MoveFileExA(path.c_str(), (path + ".moved").c_str(), MOVEFILE_REPLACE_EXISTING));
  FileHandle reader = OpenFileForReading(path);
  CHECK(reader != NULL);
  CloseFileHandle(&reader);
  CloseFileHandle(&lock);
  CHECK(DeleteFileAt(path));
}

STUB_TEST(ExistingFilesAreNeverReplaced) {
  std::string path = MakeTempModulePath();
  FileHandle first = CreateNewFileForWriting(path, NULL);
  CHECK(first != NULL);
  CloseFileHandle(&first);
  bool taken = false;
  CHECK(CreateNewFileForWriting(path, &taken) == NULL);
  CHECK(taken);
  CHECK(DeleteFileAt(path));
}

STUB_TEST(EmptyModuleStillGetsAFile) {
  std::string path;
  FileHandle lock = NULL;
  CHECK(WriteTempModule((const uint8_t *)"", 0, &path, &lock) == kTempModuleReady);
  CloseFileHandle(&lock);
  CHECK(!path.empty() && DeleteFileAt(path));
}
