#include "engine/install/uninstaller_output.h"

#include "checks/path_expansion.h"
#include "engine/install/add_remove_journal.h"
#include "engine/state/install_choices.h"
#include "engine/undo/install_journal.h"
#include "engine/state/install_log.h"
#include "engine/state/install_state.h"
#include "engine/state/pause_points.h"
#include "engine/state/installer_script.h"
#include "engine/state/payload_state.h"
#include "engine/install/uninstaller_data_plan.h"
#include "format/pe_signature.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/registry_api.h"
#include "script/language_strings.h"
#include "script/path_rules.h"
#include "script/string_ids.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Writes a file that must not exist yet; one that could not be written
// whole goes again.
bool WriteWholeFile(const std::string &path, const void *bytes, size_t size,
                    const void *trailer, size_t trailerSize) {
  FileHandle file = CreateNewFileForWriting(path, NULL);
  if (file == NULL) return false;
  bool written = WriteToFile(file, bytes, size) && WriteToFile(file, trailer, trailerSize);
  CloseFileHandle(&file);
  if (!written) DeleteFileClearingAttributes(path);
  return written;
}

// A signed uninstaller image ends with its signature, and a byte after it
// would make the signature fail: its administrator flag goes into the data
// file instead of after the image.
bool UninstallerImageSigned() {
  const PayloadState &payload = Payload();
  const size_t probe = payload.uninstallerSize < kSignatureProbeSize ? payload.uninstallerSize
                                                                      : kSignatureProbeSize;
  return payload.uninstallerBytes != NULL &&
         SignatureEndsFile(payload.uninstallerBytes, probe, payload.uninstallerSize);
}

// The uninstaller image with the administrator flag after it, unless the
// image is signed.
bool WriteUninstallerImage(const std::string &path) {
  const PayloadState &payload = Payload();
  if (payload.uninstallerBytes == NULL || payload.uninstallerSize == 0) return false;
  const uint32_t flag = payload.requireAdminRights;
  const uint8_t trailer[4] = {(uint8_t)flag, (uint8_t)(flag >> 8), (uint8_t)(flag >> 16),
                              (uint8_t)(flag >> 24)};
  return WriteWholeFile(path, payload.uninstallerBytes, payload.uninstallerSize, trailer,
                        UninstallerImageSigned() ? 0 : sizeof trailer);
}

std::string DataFileText(bool forAllUsers) {
  const InstallState &state = Install();
  UninstallerDataSources sources;
  sources.settings = &InstallerScript().settings;
  sources.choices = &UserChoices();
  sources.journal = &Journal();
  sources.productKey = Payload().configPrefix;
  sources.uninstallerStrings = &UninstallerStrings();
  sources.startMenuFolder = InstallerScript().StartMenuFolder;
  sources.uninstallerExePath = state.UninstallerExePath;
  sources.uninstallerDataPath = state.UninstallerDataPath;
  sources.addRemoveForAllUsers = forAllUsers ? 1 : 0;
  sources.expand = ReplacePathVariables;
  UninstallerData data = MakeUninstallerData(sources);
  if (UninstallerImageSigned()) {
    data.config.hasRequireAdministrator = true;
    data.config.RequireAdministrator = (int32_t)Payload().requireAdminRights;
  }
  return WriteUninstallerData(data);
}

bool WantsAddRemoveEntry(std::string *name) {
  const ScriptSettings &s = InstallerScript().settings;
  if (s.CreateAddRemoveEntry != 1) return false;
  *name = ReplacePathVariables(s.AddRemoveEntryName);
  // An empty name would put the values into the Uninstall key itself.
  return !name->empty();
}

AddRemoveEntry MakeAddRemoveEntry(const std::string &name, bool forAllUsers) {
  const ScriptSettings &s = InstallerScript().settings;
  const InstallState &state = Install();
  AddRemoveEntry entry;
  entry.name = name;
  entry.version = s.ProgramVersion;
  entry.publisher = s.CompanyName;
  entry.website = s.ProgramWebsite;
  entry.supportEmail = s.SupportEmail;
  entry.uninstallerPath = state.UninstallerExePath;
  entry.iconPath = ReplacePathVariables(s.CustomUninstallerIconPath);
  if (entry.iconPath.empty()) entry.iconPath = state.UninstallerExePath;
  entry.iconIndex = s.CustomUninstallerIconIndex;
  entry.installLocation = state.InstallPath;
  const int64_t bytes = state.BytesTotal.load();
  entry.estimatedSizeKb = bytes > 0 ? ((uint64_t)bytes + 1023) / 1024 : 0;
  entry.forAllUsers = forAllUsers;
  return entry;
}

// Replaces the data file written already with `text`: written whole to a
// new file beside it, journalled first, and renamed over it, so that the
// data file is never half-written. Left as it was when that fails.
void ReplaceDataFile(const std::string &text) {
  const std::string &path = Install().UninstallerDataPath;
  // A name of the installer's own length, so that it fits where the
  // product's files do.
  const std::string partial = FolderPartOf(path) + "~qvsdata.new";
  size_t entry = 0;
  // A file already under that name is not ours: nothing is written then.
  if (text.empty() || ReadPathKind(partial) != kPathMissing ||
      !NoteFileCreating(partial, false, true, &entry))
    return;
  if (WriteWholeFile(partial, text.data(), text.size(), NULL, 0) &&
      !RenameFileOver(partial, path))
    DeleteFileClearingAttributes(partial);
  // Renamed, deleted or never made: nothing under that name to undo.
  NoteUndone(entry, false);
}

int WarnNotCreated(const InstallView &view) {
  LogLine("The uninstaller could not be written");
  ShowMessage(view.owner, LangString(kStrUninstallerNotCreated).c_str(),
              LangString(kStrWarningCaption).c_str(), kButtonsOk, kIconWarning);
  return 0;
}

}  // namespace

int WriteAddRemoveEntry(const AddRemoveEntry &entry) {
  RegistryKeyHandle root =
      PredefinedRegistryKey(entry.forAllUsers ? kPredefinedLocalMachine : kPredefinedCurrentUser);
  RegistryKeyHandle key = NULL;
  if (!CreateRegistryKeyPath(root, kUninstallKey + entry.name, &key)) return 0;
  const std::string icon = entry.iconPath.empty()
                               ? std::string()
                               : entry.iconPath + "," + std::to_string((long)entry.iconIndex);
  // Individual failures are not fatal: the entry is as complete as it can be.
  WriteRegistryString(key, "DisplayName", entry.name);
  WriteRegistryString(key, "DisplayVersion", entry.version);
  WriteRegistryString(key, "DisplayIcon", icon);
  WriteRegistryString(key, "Publisher", entry.publisher);
  WriteRegistryString(key, "URLInfoAbout", entry.website);
  WriteRegistryString(key, "HelpLink", entry.website);
  WriteRegistryString(key, "Contact", entry.supportEmail);
  // Unquoted, a path with a blank would make Windows try "C:\Program.exe"
  // first.
  const bool hasBlank = entry.uninstallerPath.find(' ') != std::string::npos;
  const bool named = WriteRegistryString(
      key, "UninstallString",
      hasBlank ? "\"" + entry.uninstallerPath + "\"" : entry.uninstallerPath);
  WriteRegistryString(key, "QuietUninstallString", "\"" + entry.uninstallerPath + "\" /S");
  WriteRegistryString(key, "InstallLocation", entry.installLocation);
  const uint64_t sizeKb = entry.estimatedSizeKb > 0xFFFFFFFFull ? 0xFFFFFFFFull : entry.estimatedSizeKb;
  WriteRegistryDword(key, "EstimatedSize", (uint32_t)sizeKb);
  WriteRegistryDword(key, "NoModify", 1);
  WriteRegistryDword(key, "NoRepair", 1);
  CloseRegistryKeyHandle(&key);
  // An entry without its command could not start the uninstaller.
  return named ? 1 : 0;
}

int WriteUninstaller(const InstallView &view) {
  const InstallState &state = Install();
  view.setStatus(LangString(kStrFinishingInstallation));
  if (state.UninstallerExePath.empty()) return WarnNotCreated(view);
  const InstallChoices &choices = UserChoices();
  std::string entryName;
  const bool wantsEntry = WantsAddRemoveEntry(&entryName);
  const bool forAllUsers = wantsEntry && choices.userScopeOffered && choices.allUsers;

  // Both files are new (their names were free) and journalled first, for
  // the rollback and the recovery alone: the uninstaller deletes itself its
  // own way.
  const std::string text = DataFileText(forAllUsers);
  size_t exeEntry = 0, dataEntry = 0;
  if (text.empty() ||
      !NoteFileCreating(state.UninstallerExePath, false, false, &exeEntry) ||
      !NoteFileCreating(state.UninstallerDataPath, false, true, &dataEntry))
    return WarnNotCreated(view);
  bool written = WriteUninstallerImage(state.UninstallerExePath);
  PausePoint(kPauseUninstaller);
  written = written && WriteWholeFile(state.UninstallerDataPath, text.data(), text.size(), NULL, 0);
  if (!written) {
    DeleteFileClearingAttributes(state.UninstallerExePath);
    NoteUndone(exeEntry, false);
    NoteUndone(dataEntry, false);
    return WarnNotCreated(view);
  }
  LogLine("Uninstaller " + state.UninstallerExePath + " with its data " +
          state.UninstallerDataPath);
  // The entry names an uninstaller that is in place.
  if (!wantsEntry) return 1;
  if (NoteAddRemoveEntryAhead(entryName, forAllUsers) &&
      WriteAddRemoveEntry(MakeAddRemoveEntry(entryName, forAllUsers)) == 1) {
    LogLine(std::string("Add/Remove Programs entry \"") + entryName + "\" for " +
            (forAllUsers ? "all users" : "the current user"));
  } else if (forAllUsers) {
    // The data file must not send the uninstaller to an entry below
    // HKEY_LOCAL_MACHINE that was never written.
    LogLine("The Add/Remove Programs entry could not be written");
    ReplaceDataFile(DataFileText(false));
  }
  return 1;
}
