// File checks of the scenarios: existence and wildcard counts, with
// %VARIABLE% references expanded in the process's environment.
#ifndef QVS_TESTS_E2E_FILE_PATHS_H
#define QVS_TESTS_E2E_FILE_PATHS_H

#include <string>
#include <vector>

#include "tests/e2e/driver/driver_state.h"

// Expands %VAR% references; unknown ones stay as written. %TEMPDIR% is the
// folder that GetTempPathA returns, without its final backslash: the one
// the installer writes its temporary module to, whatever TMP and TEMP say.
std::string ExpandPath(const std::string &path);

// Files (not folders) matching a wildcard pattern, with sizes and times.
std::vector<FileMark> ListMatchingFiles(const std::string &pattern);

#endif
