// The language-file part of the project checks (builder/project_check.h):
// each file's name and LangID, its strings against the English file's, and
// the License and Information texts' languages.
#ifndef QVS_BUILDER_LANGUAGE_CHECK_H
#define QVS_BUILDER_LANGUAGE_CHECK_H

#include <stdint.h>

#include <set>
#include <vector>

#include "builder/project_check.h"

// Adds the findings to *findings and returns the LangIDs the language
// files give.
std::set<int64_t> CheckLanguageFiles(const ProjectCheckInput &input,
                                     std::vector<CheckFinding> *findings);

#endif
