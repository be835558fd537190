#include "platform/file_versions.h"

#include <windows.h>

#include <stdlib.h>

#include "platform/libraries.h"

namespace {

typedef DWORD(WINAPI *GetFileVersionInfoSizeAFn)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI *GetFileVersionInfoAFn)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI *VerQueryValueAFn)(LPCVOID, LPCSTR, LPVOID *, PUINT);

// Version resources are small; a size beyond this is not one.
const DWORD kMaxVersionResource = 16u << 20;

}  // namespace

bool ReadFileVersionNumbers(const std::string &path, uint32_t *ms, uint32_t *ls) {
  bool found = false;
  void *block = NULL;
  LibraryHandle version = LoadSystemLibrary("version.dll");
  GetFileVersionInfoSizeAFn getSize =
      (GetFileVersionInfoSizeAFn)FindLibraryFunction(version, "GetFileVersionInfoSizeA");
  GetFileVersionInfoAFn getInfo =
      (GetFileVersionInfoAFn)FindLibraryFunction(version, "GetFileVersionInfoA");
  VerQueryValueAFn query = (VerQueryValueAFn)FindLibraryFunction(version, "VerQueryValueA");
  if (getSize != NULL && getInfo != NULL && query != NULL && ms != NULL && ls != NULL) {
    DWORD ignored = 0;
    DWORD size = getSize(path.c_str(), &ignored);
    if (size > 0 && size <= kMaxVersionResource) block = calloc(1, size);
    if (block != NULL && getInfo(path.c_str(), 0, size, block)) {
      VS_FIXEDFILEINFO *info = NULL;
      UINT infoSize = 0;
      if (query(block, "\\", (LPVOID *)&info, &infoSize) && info != NULL &&
          infoSize >= sizeof(VS_FIXEDFILEINFO)) {
        *ms = info->dwFileVersionMS;
        *ls = info->dwFileVersionLS;
        found = true;
      }
    }
  }
  free(block);
  FreeLibraryHandle(&version);
  return found;
}

bool IsExistingRegularFile(const std::string &path, uint64_t *size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  if (size != NULL) *size = ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
  return true;
}
