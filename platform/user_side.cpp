#include "platform/user_side.h"

#include <windows.h>

#include <string>

#include "platform/program_start.h"

namespace {

enum StartPlace { kStartHere, kStartThroughUser, kStartNowhere };

struct ElevatedSide {
  StartPlace place = kStartHere;
  HANDLE requests = NULL;
  int sent = 0;
};

ElevatedSide &Elevated() {
  static ElevatedSide side;
  return side;
}

// How long the user's side sleeps between looks at the pipe.
const DWORD kServePollMs = 50;
const DWORD kReadChunk = 65536;

bool StartHere(const UserStartRequest &request) {
  ProcessHandle process = NULL;
  bool started = false;
  switch (request.kind) {
    case kUserStartProgram:
      started = StartProgramDirectly(request.file, request.parameters, request.folder,
                                     request.hidden, &process);
      break;
    case kUserStartThroughShell:
      started = StartThroughShell(request.file, request.parameters, request.folder,
                                  request.hidden, &process);
      break;
    case kUserStartCommandLine:
      started = StartDetachedProgram(request.parameters, request.folder);
      break;
  }
  CloseProcessHandle(&process);
  return started;
}

// Reads what the pipe holds now, without waiting; false when it is broken.
bool ReadAvailable(HANDLE pipe, std::string *into) {
  DWORD available = 0;
  if (!PeekNamedPipe(pipe, NULL, 0, NULL, &available, NULL)) return false;
  while (available > 0) {
    std::string chunk(available < kReadChunk ? available : kReadChunk, '\0');
    DWORD got = 0;
    if (!ReadFile(pipe, &chunk[0], (DWORD)chunk.size(), &got, NULL) || got == 0) return false;
    into->append(chunk, 0, got);
    available -= got < available ? got : available;
  }
  return true;
}

bool IsFileOnDisk(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool OpenUserSideChannel(UserSideChannel *channel) {
  HANDLE readEnd = NULL;
  HANDLE writeEnd = NULL;
  if (!CreatePipe(&readEnd, &writeEnd, NULL, 0)) return false;
  channel->readEnd = (HandoffHandle)readEnd;
  channel->writeEnd = (HandoffHandle)writeEnd;
  return true;
}

UserSideHandover HandoverOf(const UserSideChannel &channel, FileHandle logFile,
                            FileHandle installerFile) {
  UserSideHandover handover;
  handover.processId = OwnProcessId();
  handover.logFile = HandoffNumber((HandoffHandle)logFile);
  handover.installerFile = HandoffNumber((HandoffHandle)installerFile);
  handover.requests = HandoffNumber(channel.writeEnd);
  return handover;
}

void ServeUserSide(UserSideChannel *channel, ProcessHandle elevated) {
  std::string pending;
  bool listening = true;
  int served = 0;
  for (;;) {
    // Looked at once more after the end, for what was sent just before.
    const bool ended = elevated == NULL || WaitForSingleObject((HANDLE)elevated, kServePollMs) !=
                                               WAIT_TIMEOUT;
    std::string received;
    if (!ReadAvailable((HANDLE)channel->readEnd, &received)) listening = false;
    if (listening) pending += received;
    while (listening && !pending.empty()) {
      UserStartRequest request;
      const UserStartDecoding decoded = TakeUserStartRequest(&pending, &request);
      if (decoded == kUserStartIncomplete) break;
      if (decoded == kUserStartRefused || served >= kMaxUserStartRequests) {
        listening = false;
        pending.clear();
        break;
      }
      served++;
      StartHere(request);
    }
    if (ended) return;
  }
}

void CloseUserSideChannel(UserSideChannel *channel) {
  CloseHandoffHandle(&channel->readEnd);
  CloseHandoffHandle(&channel->writeEnd);
}

bool JoinUserSide(const UserSideHandover &handover, FileHandle *logFile) {
  *logFile = NULL;
  ElevatedSide &side = Elevated();
  side.place = kStartNowhere;
  if (handover.logFile != 0) {
    HANDLE log = (HANDLE)CopyHandleFromProcess(handover.processId, handover.logFile);
    if (log != NULL && IsFileOnDisk(log)) {
      *logFile = (FileHandle)log;
    } else if (log != NULL) {
      CloseHandle(log);
    }
  }
  HANDLE requests = (HANDLE)CopyHandleFromProcess(handover.processId, handover.requests);
  if (requests == NULL) return false;
  if (GetFileType(requests) != FILE_TYPE_PIPE) {
    CloseHandle(requests);
    return false;
  }
  side.requests = requests;
  side.place = kStartThroughUser;
  return true;
}

void RefuseUserStarts() { Elevated().place = kStartNowhere; }

bool StartForUser(const UserStartRequest &request) {
  ElevatedSide &side = Elevated();
  switch (side.place) {
    case kStartHere: return StartHere(request);
    case kStartNowhere: return false;
    case kStartThroughUser: break;
  }
  if (side.sent >= kMaxUserStartRequests) return false;
  const std::string bytes = EncodeUserStartRequest(request);
  if (bytes.empty()) return false;
  side.sent++;
  DWORD written = 0;
  return WriteFile(side.requests, bytes.data(), (DWORD)bytes.size(), &written, NULL) &&
         written == bytes.size();
}
