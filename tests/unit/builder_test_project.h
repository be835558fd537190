// Small project folders for the builder tests, made in a fresh temporary
// folder per test and removed afterwards.
#ifndef QVS_TESTS_UNIT_BUILDER_TEST_PROJECT_H
#define QVS_TESTS_UNIT_BUILDER_TEST_PROJECT_H

#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "builder/build_options.h"

inline int RemoveOne(const char *path, const struct stat *, int, struct FTW *) {
  return remove(path);
}

inline void RemoveTree(const std::string &path) {
  nftw(path.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
}

// Writes `data` at `root`/`relative`, creating the folders on the way.
inline void WriteTestFile(const std::string &root, const std::string &relative,
                          const std::string &data) {
  std::string path = root;
  size_t start = 0;
  size_t slash;
  while ((slash = relative.find('/', start)) != std::string::npos) {
    path = root + "/" + relative.substr(0, slash);
    mkdir(path.c_str(), 0777);
    start = slash + 1;
  }
  FILE *file = fopen((root + "/" + relative).c_str(), "wb");
  if (file == NULL) abort();
  fwrite(data.data(), 1, data.size(), file);
  fclose(file);
}

inline std::string ReadTestFile(const std::string &path) {
  std::string data;
  FILE *file = fopen(path.c_str(), "rb");
  if (file == NULL) return data;
  char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) data.append(buffer, got);
  fclose(file);
  return data;
}

inline bool TestPathExists(const std::string &path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// Bytes that compress a little but not to nothing, the same for a given seed.
inline std::string PseudoText(size_t size, uint32_t seed) {
  std::string data(size, ' ');
  uint32_t state = seed * 2654435761u + 1;
  for (size_t i = 0; i < size; i++) {
    state = state * 1103515245u + 12345u;
    data[i] = "abcdefgh \r\n0123"[(state >> 16) & 15];
  }
  return data;
}

// A temporary folder holding a valid project below "project/", with
// space for outputs next to it.
struct TestProject {
  std::string folder;
  std::string root;

  TestProject() {
    char pattern[] = "/tmp/qvsbuild-test-XXXXXX";
    folder = mkdtemp(pattern);
    root = folder + "/project";
    mkdir(root.c_str(), 0777);
    WriteTestFile(folder, "stub.exe", "MZ" + std::string(3000, 's'));
    WriteTestFile(folder, "module.dll", "MZ" + std::string(2000, 'm'));
    WriteTestFile(folder, "uninstaller.exe", "MZ" + std::string(1000, 'u'));
  }
  ~TestProject() { RemoveTree(folder); }

  void AddMinimal() {
    WriteTestFile(root, "Script.qvs", "[GeneralInformation]\r\nProgramName=Test\r\n");
    WriteTestFile(root, "Languages/English.lng", "[Information]\r\nName=English\r\nLangID=1033\r\n");
  }

  BuildOptions Options(const std::string &output) const {
    BuildOptions options;
    DefaultBuildOptions(&options);
    options.project = root;
    options.output = folder + "/" + output;
    options.stubPath = folder + "/stub.exe";
    options.modulePath = folder + "/module.dll";
    options.uninstallerPath = folder + "/uninstaller.exe";
    options.quiet = true;
    options.threads = 1;
    return options;
  }
};

#endif
