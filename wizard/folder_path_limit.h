// The install folder against the Windows path limit: the files of the
// selected components that go below it, placed as the installation will
// place them (install_folder_text.h holds the limits). Asked by Next on the
// install-folder page and by a silent run, before anything is written.
#ifndef QVS_WIZARD_FOLDER_PATH_LIMIT_H
#define QVS_WIZARD_FOLDER_PATH_LIMIT_H

#include <stdint.h>

#include <string>

// True when every file of the components `isSelected` accepts that goes
// below `folder` (the principal component's, and those of components whose
// folder lies below it) fits the limit there. Reads the installer script
// and the payload's listing.
bool InstallFolderFitsPathLimit(const std::string &folder,
                                bool (*isSelected)(int32_t componentId, const void *context),
                                const void *context);

#endif
