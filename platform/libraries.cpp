#include "platform/libraries.h"

#include <windows.h>

#include "platform/files.h"

namespace {

typedef BOOL(WINAPI *SetDefaultDllDirectoriesFn)(DWORD);
typedef BOOL(WINAPI *SetDllDirectoryAFn)(LPCSTR);

// LOAD_LIBRARY_SEARCH_SYSTEM32, spelt out because older headers lack it.
const DWORD kSearchSystemFolderOnly = 0x00000800;

}  // namespace

void HardenDllSearch() {
  LibraryHandle kernel = GetLoadedSystemLibrary("kernel32.dll");
  SetDefaultDllDirectoriesFn setDefault =
      (SetDefaultDllDirectoriesFn)FindLibraryFunction(kernel, "SetDefaultDllDirectories");
  if (setDefault != NULL && setDefault(kSearchSystemFolderOnly)) return;
  SetDllDirectoryAFn setDirectory = (SetDllDirectoryAFn)FindLibraryFunction(kernel, "SetDllDirectoryA");
  if (setDirectory != NULL) setDirectory("");
}

bool GetSystemFolder(std::string *path) {
  char buffer[MAX_PATH + 1];
  UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
  if (path == NULL || length == 0 || length >= sizeof buffer) return false;
  path->assign(buffer, length);
  if (!path->empty() && (*path)[path->size() - 1] == '\\') path->resize(path->size() - 1);
  return true;
}

LibraryHandle LoadSystemLibrary(const char *name) {
  std::string path;
  if (name == NULL || !GetSystemFolder(&path)) return NULL;
  path += '\\';
  path += name;
  return (LibraryHandle)LoadLibraryA(path.c_str());
}

LibraryHandle GetLoadedSystemLibrary(const char *name) {
  return name == NULL ? NULL : (LibraryHandle)GetModuleHandleA(name);
}

LibraryHandle LoadLibraryFromPath(const std::string &path) {
  return (LibraryHandle)LoadLibraryA(path.c_str());
}

LibraryHandle LoadHeldLibraryFile(void *heldFile, const std::string &path) {
  if (FindLibraryFunction(GetLoadedSystemLibrary("kernel32.dll"), "GetFinalPathNameByHandleA") ==
      NULL)
    return LoadLibraryFromPath(path);
  std::string name;
  return GetFinalPathOf(heldFile, true, &name) ? LoadLibraryFromPath(name) : NULL;
}

void *FindLibraryFunction(LibraryHandle library, const char *name) {
  if (library == NULL || name == NULL) return NULL;
  return reinterpret_cast<void *>(GetProcAddress((HMODULE)library, name));
}

void FreeLibraryHandle(LibraryHandle *library) {
  if (library == NULL || *library == NULL) return;
  FreeLibrary((HMODULE)*library);
  *library = NULL;
}
