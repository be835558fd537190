#include "startup/payload_loader.h"

#include <stdlib.h>
#include <string.h>

#include "format/config_block.h"
#include "format/installer_layout.h"
#include "format/payload_limits.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/running_image.h"
#include "engine/state/exits.h"
#include "startup/guards.h"
#include "startup/module_binding.h"
#include "startup/payload_entries.h"
#include "engine/state/payload_state.h"
#include "engine/state/startup_state.h"
#include "engine/state/unattended_options.h"
#include "startup/temp_module.h"

namespace {

const char kNoMemory[] = "Error allocating memory.";
const char kCannotRead[] = "Error reading installer data.";
const char kBlockMissing[] = "This installer is corrupt. Please obtain a new copy from the vendor.";
const char kReplacedWhileStarting[] =
    "The installer file was moved or replaced while the installer was starting, so its data "
    "cannot be trusted. Please run the installer again.";
const char kCannotHold[] =
    "The installer cannot keep its own file from being changed while it runs (another program "
    "may have it open for writing, or it cannot be read), so its data cannot be trusted. Please "
    "close other programs that use the file, or wait until its download has finished, and run "
    "the installer again.";
const char kArchiveCorrupt[] =
    "This installer is corrupt. Please obtain another copy and retry installation.";
// Configuration entries are extracted into memory in one piece; the module
// takes the size as a 32-bit number.
const int64_t kMaxConfigEntrySize = 0x7FFFFFFF;

[[noreturn]] void FailAndExit(const char *text) {
  ShowMessage(NULL, text, "Error", kButtonsOk, kIconError);
  NormalExit();
}

[[noreturn]] void FailAndCleanUp(const char *text) {
  ShowMessage(NULL, text, "Error", kButtonsOk, kIconError);
  CleanExit();
}

// Reads the first 1 MiB of the executable, finds the configuration block
// there with the parser the module and the builder use, and returns a copy
// of the module's bytes (the caller frees them; *moduleSize 0 when the
// block carries none).
uint8_t *ReadModuleBytes(FileHandle executable, size_t *moduleSize) {
  *moduleSize = 0;
  uint64_t fileSize = 0;
  if (!ReadOpenFileSize(executable, &fileSize)) FailAndExit(kCannotRead);
  size_t wanted = fileSize < kMarkerSearchSize ? (size_t)fileSize : (size_t)kMarkerSearchSize;
  uint8_t *head = (uint8_t *)malloc(wanted > 0 ? wanted : 1);
  if (head == NULL) FailAndExit(kNoMemory);
  const size_t headSize = wanted;
  if (!ReadFileAt(executable, 0, head, wanted)) {
    free(head);
    FailAndExit(kCannotRead);
  }
  ConfigBlock block;
  ConfigBlockResult found = ParseConfigBlock(head, headSize, fileSize, &block);
  if (found == kConfigBlockMissing || found == kConfigBlockDamaged) {
    free(head);
    FailAndExit(kBlockMissing);
  }
  Payload().requireAdminRights = block.requireAdminRights;
  // The parser bounded the module by the bytes read.
  uint8_t *bytes = (uint8_t *)malloc(block.moduleSize > 0 ? (size_t)block.moduleSize : 1);
  if (bytes == NULL) {
    free(head);
    FailAndExit(kNoMemory);
  }
  memcpy(bytes, head + block.moduleOffset, (size_t)block.moduleSize);
  *moduleSize = (size_t)block.moduleSize;
  free(head);
  return bytes;
}

void LoadModule(uint8_t *moduleBytes, size_t moduleSize) {
  StartupState &startup = Startup();
  std::string path;
  FileHandle lock = NULL;
  TempModuleResult written = WriteTempModule(moduleBytes, moduleSize, &path, &lock);
  free(moduleBytes);
  // Only a file this process created is ever deleted by the clean exit.
  startup.tempModulePath = path;
  if (written != kTempModuleReady) FailAndCleanUp("Memory buffer error.");
  startup.moduleHandle = LoadHeldLibraryFile(lock, path);
  CloseFileHandle(&lock);
  if (startup.moduleHandle == NULL) FailAndCleanUp("Error loading the data unpacker DLL module.");
  ModuleExports &exports = Payload().moduleExports;
  // A module that lacks any export is not the module this stub expects.
  bool bound = BindModuleExports(startup.moduleHandle, &exports);
  if (!bound || !HasExpectedSignature(exports))
    FailAndCleanUp("Version mismatch / unknown unpacker DLL module.");
}

// Extracts the current entry into a new block of `size` bytes; NULL when it
// fails. The caller frees the block.
uint8_t *ExtractCurrentEntry(int64_t size) {
  if (size <= 0 || size > kMaxConfigEntrySize) return NULL;
  uint8_t *bytes = (uint8_t *)malloc((size_t)size);
  if (bytes == NULL) return NULL;
  if (Payload().moduleExports.Archive_ExtractMem(bytes, (int32_t)size) != 1) {
    free(bytes);
    return NULL;
  }
  return bytes;
}

[[noreturn]] void FailInsideArchive() {
  Payload().moduleExports.Archive_Close();
  FailAndCleanUp(kArchiveCorrupt);
}

void ReplaceImage(BitmapHandle *field, const uint8_t *bytes, size_t size) {
  DeleteBitmapHandle(field);
  *field = DecodeBitmapBytes(bytes, size);
}

// The largest entry of `kind` that start-up keeps: texts larger than the
// builder writes would only cost memory and time (a damaged installer).
int64_t ConfigEntryLimit(ConfigEntryKind kind) {
  switch (kind) {
    case kConfigScript: return kMaxScriptSize;
    case kConfigLanguage: return kMaxLanguageFileSize;
    case kConfigInformation:
    case kConfigLicense: return kMaxInfoTextSize;
    default: return kMaxConfigEntrySize;
  }
}

void KeepConfigEntry(ConfigEntryKind kind, const std::string &name, int64_t size) {
  PayloadState &payload = Payload();
  // An oversized text counts as an entry that failed to extract.
  uint8_t *bytes = size <= ConfigEntryLimit(kind) ? ExtractCurrentEntry(size) : NULL;
  bool mandatory = kind == kConfigScript || kind == kConfigWizardImage ||
                   kind == kConfigHeaderImage || kind == kConfigBackgroundImage ||
                   kind == kConfigUninstaller;
  if (bytes == NULL) {
    if (mandatory) FailInsideArchive();
    return;  // language, Information and License entries are skipped
  }
  size_t length = (size_t)size;
  switch (kind) {
    case kConfigScript: payload.scriptText = TextFromEntryBytes(bytes, length); break;
    case kConfigWizardImage: ReplaceImage(&payload.wizardImage, bytes, length); break;
    case kConfigHeaderImage: ReplaceImage(&payload.headerImage, bytes, length); break;
    case kConfigBackgroundImage: ReplaceImage(&payload.backgroundImage, bytes, length); break;
    case kConfigUninstaller:
      free(payload.uninstallerBytes);
      payload.uninstallerBytes = bytes;
      payload.uninstallerSize = length;
      bytes = NULL;  // kept for the uninstaller output
      break;
    case kConfigLanguage:
      payload.languages.push_back(ReadLanguageFile(TextFromEntryBytes(bytes, length)));
      break;
    case kConfigInformation:
    case kConfigLicense: {
      InfoText text;
      text.langId = InfoTextLangId(name);
      text.text = TextFromEntryBytes(bytes, length);
      (kind == kConfigInformation ? payload.informationTexts : payload.licenseTexts).push_back(text);
      break;
    }
    case kConfigIgnored: break;
  }
  free(bytes);
}

void ClassifyCurrentEntry(UnpackerFileInfo info, ComponentGroupIndex *groupIndex) {
  PayloadState &payload = Payload();
  const ModuleExports &module = payload.moduleExports;
  module.Archive_FileInfo(info);
  const char *rawName = module.Archive_FileInfo_GetFilename(info);
  std::string name = rawName != NULL ? rawName : "";
  int64_t size = module.Archive_FileInfo_GetUncompressedSize(info);
  std::string prefix;
  if (!IsConfigurationEntry(name, &prefix)) {
    if (!AddProductFile(&payload.componentFiles, groupIndex, name, size)) {
      ProductFile unfiled;
      unfiled.entryName = name;
      unfiled.uncompressedSize = size;
      payload.unfiledProductFiles.push_back(unfiled);
    }
    return;
  }
  payload.configPrefix = prefix;
  ConfigEntryKind kind = ClassifyConfigEntry(name, prefix);
  if (kind != kConfigIgnored && size > 0) KeepConfigEntry(kind, name, size);
}

void WalkArchive() {
  PayloadState &payload = Payload();
  const ModuleExports &module = payload.moduleExports;
  payload.RequiredSpace = PayloadUncompressedSize();
  if (payload.RequiredSpace == -1) {
    ShowMessage(NULL, "This installer doesn't contain any data inside.", "Information", kButtonsOk,
                kIconInformation);
    CleanExit();
  }
  if (OpenPayloadArchive() == 0) FailAndCleanUp(kArchiveCorrupt);
  UnpackerFileInfo info = module.Archive_FileInfo_Alloc();
  if (info == NULL) FailInsideArchive();
  int64_t walked = 0;
  ComponentGroupIndex groupIndex;
  if (module.Archive_FindFirst() != 0) {
    do {
      ClassifyCurrentEntry(info, &groupIndex);
      walked++;
    } while (module.Archive_FindNext() != 0);
  }
  module.Archive_FileInfo_Free(info);
  // The walk also stops at a damaged entry record. Stopping short of the
  // archive's own entry count means the entries after it were never seen:
  // the installer is damaged, not finished, and must not go on without
  // them.
  if (walked != module.Archive_GetEntryCount()) FailInsideArchive();
  module.Archive_Close();
}

// The one handle on the installer's own file that every later read goes
// through, kept until the process ends. The elevated copy started by the
// user's copy must run from the file that copy holds: it was started by
// that file's name, but only the file itself can prove it.
FileHandle HoldInstallerFile() {
  FileHandle executable = NULL;
  switch (OpenRunningImage(&executable)) {
    case kRunningImageOpen: break;
    case kRunningImageReplaced: FailAndExit(kReplacedWhileStarting);
    case kRunningImageUnavailable: FailAndExit(kCannotHold);
  }
  const UnattendedOptions &options = Unattended();
  if (options.elevated && options.hasHandover &&
      !HoldsSameFileAs(executable, options.handoverProcess, options.handoverImage))
    FailAndExit(kReplacedWhileStarting);
  return executable;
}

}  // namespace

void LoadPayload() {
  FileHandle executable = HoldInstallerFile();
  Payload().installerFile = executable;
  size_t moduleSize = 0;
  uint8_t *moduleBytes = ReadModuleBytes(executable, &moduleSize);
  if (moduleSize == 0) {
    free(moduleBytes);
    FailAndCleanUp(kCannotRead);
  }
  LoadModule(moduleBytes, moduleSize);
  HandleElevation(Payload().requireAdminRights);
  EnsureSingleInstance();
  WalkArchive();
  const PayloadState &payload = Payload();
  if (payload.languages.empty())
    FailAndCleanUp(
        "This installer is most probably corrupted (no language files detected inside).");
  if (payload.scriptText.empty())
    FailAndCleanUp("This installer is most probably corrupted (no script detected inside).");
}
