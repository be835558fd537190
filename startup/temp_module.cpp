#include "startup/temp_module.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/system_info.h"

namespace {

// A name taken between drawing it and creating the file is drawn again,
// this many times at most.
const int kCreateAttempts = 16;
const size_t kCompareChunk = 65536;

uint32_t NextRandomNumber() {
  static uint32_t state = 0;
  if (state == 0) state = ReadRandomSeed() | 1;
  // xorshift32: never reaches 0 from a non-zero state.
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state % (kTempNumberMaximum + 1);
}

// Reads the file back through `file` and compares it with `bytes`.
bool FileHolds(FileHandle file, const uint8_t *bytes, size_t size) {
  uint8_t *chunk = (uint8_t *)malloc(kCompareChunk);
  bool same = chunk != NULL && SeekFileTo(file, 0);
  size_t done = 0;
  while (same && done < size) {
    size_t want = size - done < kCompareChunk ? size - done : kCompareChunk;
    size_t got = 0;
    same = ReadFromFile(file, chunk, want, &got) && got == want &&
           memcmp(chunk, bytes + done, want) == 0;
    done += got;
  }
  // Nothing may follow the bytes written.
  size_t extra = 0;
  if (same) same = ReadFromFile(file, chunk, 1, &extra) && extra == 0;
  free(chunk);
  return same;
}

}  // namespace

std::string TempModuleFileName(const std::string &folder, uint32_t number) {
  char name[32];
  snprintf(name, sizeof name, "_temp_%lu.tmp", (unsigned long)number);
  std::string path = folder;
  if (path.empty() || path[path.size() - 1] != '\\') path += '\\';
  return path + name;
}

std::string FindUnusedTempName(const std::string &folder, bool (*exists)(const std::string &path),
                               int attempts) {
  for (int attempt = 0; attempt < attempts; attempt++) {
    std::string path = TempModuleFileName(folder, NextRandomNumber());
    if (!exists(path)) return path;
  }
  return std::string();
}

std::string MakeTempModulePath() {
  std::string folder;
  if (!GetTemporaryFolder(&folder)) return std::string();
  return FindUnusedTempName(folder, FileExists, kTempNameAttempts);
}

TempModuleResult WriteTempModule(const uint8_t *bytes, size_t size, std::string *path,
                                 FileHandle *lock) {
  path->clear();
  *lock = NULL;
  FileHandle writer = NULL;
  for (int attempt = 0; attempt < kCreateAttempts && writer == NULL; attempt++) {
    std::string candidate = MakeTempModulePath();
    if (candidate.empty()) break;
    bool taken = false;
    writer = CreateNewFileForWriting(candidate, &taken);
    if (writer != NULL) *path = candidate;
    else if (!taken) break;
  }
  if (writer == NULL) return kTempModuleNotCreated;
  bool written = WriteToFile(writer, bytes, size);
  CloseFileHandle(&writer);
  // The loader cannot map a file that is open for writing, so the writer is
  // closed and the file reopened denying writers; reading it back catches
  // any change made in between.
  if (written) *lock = OpenFileDenyingWriters(*path);
  if (*lock != NULL && FileHolds(*lock, bytes, size)) return kTempModuleReady;
  CloseFileHandle(lock);
  return kTempModuleNotWritten;
}
