// "qvsbuild check PROJECT": the project checks (builder/project_check.h) on
// their own, and the same checks at the start of every build.
#ifndef QVS_BUILDER_CHECK_COMMAND_H
#define QVS_BUILDER_CHECK_COMMAND_H

#include <stdio.h>

#include <string>

#include "builder/project.h"

struct CheckCounts {
  size_t errors = 0;
  size_t warnings = 0;
};

// Checks a scanned project (its script text, language files, Files/ and
// text folders) and prints each finding to `out`. A language file that
// cannot be read is counted as an error.
CheckCounts CheckScannedProject(const Project &project, FILE *out);

// True when the build may go on: no error, and no warning under `strict`.
bool CheckPasses(const CheckCounts &counts, bool strict);

// The arguments after "check": PROJECT [--strict] [--add-english]. Prints
// the findings and a summary; returns 0 when the project passes, 1 when it
// does not, 2 for a usage error (with *usageError set).
int RunCheck(int argc, char **argv, std::string *usageError);

#endif
