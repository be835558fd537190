// Reads a project folder into a Project. Every problem found is collected,
// so that the vendor sees them all at once; the scan goes on after one.
//
// Layout read (anything else at the top level is reported as ignored):
//   Script.qvs                      installer script, required, not empty
//   Languages/*.lng                 language files, at least one
//   License/<LangID|Default>.<ext>  optional licence texts
//   Information/<LangID|Default>.<ext>
//   Wizard.bmp Header.bmp Background.bmp   optional bitmaps
//   Uninstaller.exe                 optional uninstaller image (else the
//                                   default one of ScanOptions)
//   Files/<componentId>/...         product files
#ifndef QVS_BUILDER_PROJECT_SCAN_H
#define QVS_BUILDER_PROJECT_SCAN_H

#include <stdint.h>

#include <string>
#include <vector>

#include "builder/project.h"

struct ScanOptions {
  // Bytes of the English language file to add, or null. Stored as
  // Languages\English.lng, so the project may not hold a file of that name.
  const uint8_t *englishLanguage;
  uint64_t englishLanguageSize;
  // The uninstaller image stored as Config\Uninstaller.bin when the project
  // has no Uninstaller.exe of its own, or null for none. A missing or
  // unfit file is a problem.
  const char *defaultUninstaller;
};

// Fills *project from the folder `root`. Returns true when no problem was
// found; otherwise `problems` holds one message per problem. `notes` gets
// remarks that do not stop the build (items ignored).
bool ScanProject(const std::string &root, const ScanOptions &options, Project *project,
                 std::vector<std::string> *problems, std::vector<std::string> *notes);

#endif
