#include "platform/environment.h"

#include <windows.h>

namespace {

// The environment can change between the size query and the expansion
// (another thread setting a variable); a few tries settle that.
const int kAttempts = 4;
// Environment blocks are limited to 32,767 characters; expansions of
// longer texts are bounded by the text itself, so this only guards the
// allocation against a nonsensical answer.
const DWORD kLargestExpansion = 16u << 20;

}  // namespace

std::string ExpandEnvironmentText(const std::string &text) {
  DWORD size = ExpandEnvironmentStringsA(text.c_str(), NULL, 0);
  for (int attempt = 0; attempt < kAttempts && size != 0 && size <= kLargestExpansion; ++attempt) {
    std::string buffer(static_cast<size_t>(size) + 1, '\0');
    const DWORD capacity = static_cast<DWORD>(buffer.size());
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), &buffer[0], capacity);
    if (needed == 0) break;
    if (needed <= capacity) {
      buffer.resize(strlen(buffer.c_str()));
      return buffer;
    }
    size = needed;
  }
  return text;
}

std::string ReadEnvironmentVariable(const char *name) {
  DWORD size = GetEnvironmentVariableA(name, NULL, 0);
  for (int attempt = 0; attempt < kAttempts && size != 0 && size <= kLargestExpansion; ++attempt) {
    std::string buffer(static_cast<size_t>(size) + 1, '\0');
    const DWORD capacity = static_cast<DWORD>(buffer.size());
    const DWORD length = GetEnvironmentVariableA(name, &buffer[0], capacity);
    if (length == 0) break;
    if (length < capacity) {
      buffer.resize(length);
      return buffer;
    }
    size = length;
  }
  return std::string();
}

std::string ReadUserLogonName() {
  // UNLEN (256) plus the terminator; a longer name is asked for again.
  DWORD size = 257;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string buffer(size, '\0');
    DWORD length = size;
    if (GetUserNameA(&buffer[0], &length)) {
      buffer.resize(strlen(buffer.c_str()));
      return buffer;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= size || length > 65536) break;
    size = length;
  }
  return std::string();
}
