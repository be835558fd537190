// What the payload loader keeps from the installer's configuration block
// and payload archive. One instance, filled once on the main thread.
#ifndef QVS_ENGINE_STATE_PAYLOAD_STATE_H
#define QVS_ENGINE_STATE_PAYLOAD_STATE_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "module/unpacker_api.h"
#include "platform/files.h"
#include "platform/images.h"
#include "script/language_data.h"

// An Information or License text; langId -1 marks the default text.
struct InfoText {
  int32_t langId = -1;
  std::string text;
};

struct ProductFile {
  std::string entryName;  // the full archive entry name
  int64_t uncompressedSize = 0;
};

// The product files of one component, in archive order.
struct ComponentFileGroup {
  int32_t componentId = 0;
  std::vector<ProductFile> files;
};

// The unpacker module's exports, bound by name; the two that read through
// a handle stay NULL when the module lacks them.
struct ModuleExports {
#define QVS_DECLARE_EXPORT_FIELD(field, exportName) Fn_##field field = NULL;
  QVS_UNPACKER_EXPORTS(QVS_DECLARE_EXPORT_FIELD)
  QVS_UNPACKER_HANDLE_EXPORTS(QVS_DECLARE_EXPORT_FIELD)
#undef QVS_DECLARE_EXPORT_FIELD
};

struct PayloadState {
  // The installer's own file, open for the whole run so that nobody can
  // change, delete or rename it (platform/running_image.h); everything the
  // installer reads from its file it reads through this handle.
  FileHandle installerFile = NULL;
  uint32_t requireAdminRights = 0;
  ModuleExports moduleExports;
  // Total uncompressed size of the payload; replaced later by the size of
  // the selected components.
  int64_t RequiredSpace = 0;
  std::string configPrefix;
  std::string scriptText;
  BitmapHandle wizardImage = NULL;
  BitmapHandle headerImage = NULL;
  BitmapHandle backgroundImage = NULL;
  // The uninstaller executable (malloc'ed, kept for the whole run).
  uint8_t *uninstallerBytes = NULL;
  size_t uninstallerSize = 0;
  std::vector<LanguageFile> languages;
  std::vector<InfoText> informationTexts;
  std::vector<InfoText> licenseTexts;
  std::vector<ComponentFileGroup> componentFiles;
  // Product entries whose name begins with no canonical component ID: a
  // damaged installer, filed under no component (what to do is the
  // engine's decision).
  std::vector<ProductFile> unfiledProductFiles;
};

PayloadState &Payload();

// The payload archive's total uncompressed size, and opening the archive
// for a walk, through the module from Payload().installerFile; a module
// without the handle exports is given the installer's path instead (the
// held handle still keeps the file from being replaced). Same results as
// the module's exports.
int64_t PayloadUncompressedSize();
int OpenPayloadArchive();

#endif
