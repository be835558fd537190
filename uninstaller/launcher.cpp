#include "uninstaller/launcher.h"

#include <string>
#include <vector>

#include "checks/os_codes.h"
#include "engine/state/startup_state.h"
#include "format/pe_signature.h"
#include "format/uninstaller_data.h"
#include "platform/file_tasks.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/process_handoff.h"
#include "platform/program_run.h"
#include "platform/services.h"
#include "uninstaller/exit_codes.h"
#include "uninstaller/file_guard.h"
#include "uninstaller/texts.h"
#include "uninstaller/uninstall_session.h"

namespace {

const char kCopyPrefix[] = "qvu";
const size_t kFlagSize = 4;

// The flag the installer appended to this program's file or, when this
// program ends with its signature, wrote into its data file; `fromDataFile`
// tells which.
bool ReadAdministratorFlag(const std::string &ownPath, bool *fromDataFile) {
  *fromDataFile = false;
  FileHandle file = OpenFileForReading(ownPath);
  uint64_t size = 0;
  std::vector<uint8_t> head(kSignatureProbeSize);
  uint8_t tail[kFlagSize] = {0, 0, 0, 0};
  size_t headGot = 0;
  size_t got = 0;
  const bool ok = file != NULL && ReadOpenFileSize(file, &size) && size >= kFlagSize &&
                  ReadFromFile(file, head.data(), head.size(), &headGot) &&
                  SeekFileTo(file, size - kFlagSize) && ReadFromFile(file, tail, kFlagSize, &got) &&
                  got == kFlagSize;
  CloseFileHandle(&file);
  if (!ok) return false;
  if (!SignatureEndsFile(head.data(), headGot, size)) return AdministratorFlagFromTail(tail);
  *fromDataFile = true;
  std::string dataText;
  return ReadSmallFile(DataFilePathFor(ownPath), kMaxUninstallerDataSize, &dataText) &&
         AdministratorFlagFromData(dataText);
}

uint32_t Outcome(const UninstallerArguments &arguments, uint32_t silentCode) {
  return arguments.silent ? silentCode : (uint32_t)kExitSuccess;
}

// The user's copy starts an elevated one and passes its result on.
uint32_t RelaunchElevated(const UninstallerArguments &arguments, const std::string &ownPath) {
  UninstallerArguments elevated;
  elevated.elevated = true;
  elevated.silent = arguments.silent;
  ProcessHandle process = NULL;
  if (!LaunchElevatedProcess(ownPath, UninstallerParameters(elevated), &process))
    return Outcome(arguments, kExitFailed);
  uint32_t code = kExitFailed;
  WaitForProcessEnd(process, NULL, NULL);
  if (!ReadProcessExitCode(process, &code)) code = kExitFailed;
  CloseProcessHandle(&process);
  return Outcome(arguments, code);
}

struct Handoff {
  FileHandle original = NULL;  // this program's file, held so it stays the same
  std::string copyPath;
  HandoffHandle self = NULL;
  HandoffHandle parent = NULL;
  HandoffHandle readEnd = NULL;
  HandoffHandle writeEnd = NULL;
};

void Release(Handoff *handoff) {
  CloseFileHandle(&handoff->original);
  CloseHandoffHandle(&handoff->parent);
  CloseHandoffHandle(&handoff->readEnd);
  CloseHandoffHandle(&handoff->writeEnd);
  // The copy goes with this handle unless a started copy holds it too.
  CloseHandoffHandle(&handoff->self);
}

// Makes the copy and starts it; false (nothing left behind) when any step
// fails.
bool StartCopy(const UninstallerArguments &arguments, const std::string &ownPath,
               Handoff *handoff) {
  std::string temporary;
  if (!GetTemporaryFolder(&temporary) ||
      !CreateUniqueFileIn(temporary, kCopyPrefix, &handoff->copyPath)) {
    return false;
  }
  if (handoff->original == NULL) handoff->original = OpenFileDenyingWriters(ownPath);
  // The copy lies in a folder the user's other programs may write: once it
  // is held so that nobody can change or rename it, it is read back and
  // compared, and started by the name the system gives the held file.
  if (handoff->original == NULL || !CopyFileOver(ownPath, handoff->copyPath) ||
      (handoff->self = OpenDeletedWithLastHandle(handoff->copyPath)) == NULL ||
      !FilesHoldSameBytes((FileHandle)handoff->self, handoff->original)) {
    CloseHandoffHandle(&handoff->self);
    DeleteFileAt(handoff->copyPath);
    return false;
  }
  std::string startPath = handoff->copyPath;
  GetFinalPathOf(handoff->self, false, &startPath);
  handoff->parent = InheritableOwnProcess();
  if (handoff->parent == NULL || !CreateResultPipe(&handoff->readEnd, &handoff->writeEnd))
    return false;
  UninstallerArguments copy;
  copy.silent = arguments.silent;
  copy.guarded = arguments.guarded;
  copy.originalPath = ownPath;
  copy.parentProcess = HandoffNumber(handoff->parent);
  copy.resultPipe = HandoffNumber(handoff->writeEnd);
  copy.selfFile = HandoffNumber(handoff->self);
  const std::string commandLine = "\"" + startPath + "\" " + UninstallerParameters(copy);
  ProcessHandle process = NULL;
  // The copy works from the temporary folder, so that nothing holds the
  // installation folder as its current folder.
  if (!StartProgramDirectly(startPath, commandLine, temporary, false, &process)) return false;
  CloseProcessHandle(&process);
  return true;
}

}  // namespace

uint32_t RunInstalledUninstaller(const UninstallerArguments &arguments) {
  std::string ownPath;
  if (!GetOwnExecutablePath(&ownPath)) return Outcome(arguments, kExitFailed);
  bool flagFromDataFile = false;
  const bool isNt = IsNtFamily(ActingOsCode());
  const bool needsRights = ReadAdministratorFlag(ownPath, &flagFromDataFile) && isNt;
  const bool holdsRights = isNt && CanOpenServiceManager(kServiceManagerAdminAccess);
  if (needsRights && !holdsRights) {
    if (!arguments.elevated) return RelaunchElevated(arguments, ownPath);
    if (!arguments.silent)
      ShowMessage(NULL, kNeedAdministratorText, kFixedInformationCaption, kButtonsOk,
                  kIconInformation);
    return Outcome(arguments, kExitFailed);
  }
  UninstallerArguments work = arguments;
  // A flag read from the data file is only as trustworthy as that file:
  // whoever could change the file could clear the flag, so with
  // administrator rights in hand the files are judged all the same.
  work.guarded = needsRights || (flagFromDataFile && holdsRights);
  Handoff handoff;
  // With the rights the installer asked for, this program must be one that
  // only administrators can change; it stays held while the copy is made.
  if (work.guarded) {
    handoff.original = OpenFileDenyingWriters(ownPath);
    if (handoff.original == NULL || !OnlyAdministratorsCanChange(handoff.original, ownPath)) {
      Release(&handoff);
      if (!arguments.silent)
        ShowMessage(NULL, UnguardedProgramMessage(ownPath).c_str(), kFixedErrorCaption,
                    kButtonsOk, kIconError);
      return Outcome(arguments, kExitFailed);
    }
  }
  if (!StartCopy(work, ownPath, &handoff)) {
    Release(&handoff);
    UninstallerArguments inPlace = work;
    inPlace.originalPath = ownPath;
    return RunUninstallSession(inPlace, false);
  }
  // Only the copy may write a result now: the pipe reports its end.
  CloseHandoffHandle(&handoff.writeEnd);
  CloseHandoffHandle(&handoff.self);
  uint32_t code = kExitFailed;
  if (!ReadResultNumber(handoff.readEnd, &code)) code = kExitFailed;
  Release(&handoff);
  return Outcome(arguments, code);
}
