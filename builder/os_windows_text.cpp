#include "builder/os_windows_text.h"

#include <windows.h>

namespace {

// CreateDirectoryW's limit (MAX_PATH less room for an 8.3 name) is the
// lowest of the classic API; a full path from this length on takes the
// "\\?\" form.
const size_t kClassicPathLimit = 248;

bool StartsWith(const std::wstring &text, const wchar_t *prefix) {
  return text.compare(0, wcslen(prefix), prefix) == 0;
}

}  // namespace

bool WideFromUtf8(const std::string &text, std::wstring *wide) {
  wide->clear();
  if (text.empty()) return true;
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), (int)text.size(),
                                   NULL, 0);
  if (length <= 0) return false;
  wide->resize((size_t)length);
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), (int)text.size(),
                             &(*wide)[0], length) == length;
}

std::string Utf8FromWide(const wchar_t *text, size_t length) {
  if (length == 0) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text, (int)length, NULL, 0, NULL, NULL);
  if (size <= 0) return std::string();
  std::string result((size_t)size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, (int)length, &result[0], size, NULL, NULL);
  return result;
}

std::string Utf8FromWide(const std::wstring &text) { return Utf8FromWide(text.data(), text.size()); }

bool SystemPath(const std::string &path, std::wstring *wide) {
  if (!WideFromUtf8(path, wide)) return false;
  if (StartsWith(*wide, L"\\\\?\\") || StartsWith(*wide, L"\\\\.\\")) return true;
  DWORD needed = GetFullPathNameW(wide->c_str(), 0, NULL, NULL);
  if (needed == 0) return true;  // the call that uses it reports the problem
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(wide->c_str(), needed, &full[0], NULL);
  if (length == 0 || length >= needed) return true;
  full.resize(length);
  if (full.size() < kClassicPathLimit || StartsWith(full, L"\\\\.\\")) return true;
  if (StartsWith(full, L"\\\\"))
    *wide = L"\\\\?\\UNC\\" + full.substr(2);
  else
    *wide = L"\\\\?\\" + full;
  return true;
}

std::wstring UniqueSuffix() {
  static LONG counter = 0;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  uint64_t mix = (uint64_t)now.QuadPart * 6364136223846793005ull ^
                 ((uint64_t)GetCurrentProcessId() << 32) ^ (uint64_t)InterlockedIncrement(&counter);
  mix ^= mix >> 29;
  mix *= 0xBF58476D1CE4E5B9ull;
  mix ^= mix >> 32;
  const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::wstring suffix;
  for (int i = 0; i < 6; i++) {
    suffix.push_back(kLetters[mix % 36]);
    mix /= 36;
  }
  return suffix;
}
