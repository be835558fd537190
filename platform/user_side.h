// Starting programs as the user who started the installer.
//
// When the installer needs administrator rights, the copy the user started
// relaunches itself elevated and waits for that copy to end. Whatever the
// elevated copy starts for the user to work with (the finish page's
// program and documents, a web page) would run as the administrator and
// could open an administrator's shell through its File/Open dialogs. So
// the waiting copy keeps the read end of a pipe, the elevated copy takes a
// copy of the write end, and sends start requests (user_start_requests.h)
// that the waiting copy carries out with the user's own rights.
//
// Call order, user's side: OpenUserSideChannel, start the elevated copy
// with the numbers of HandoverOf, ServeUserSide until it has ended,
// CloseUserSideChannel. Elevated side: JoinUserSide (or RefuseUserStarts
// when the numbers it was given lead nowhere), then StartForUser.
#ifndef QVS_PLATFORM_USER_SIDE_H
#define QVS_PLATFORM_USER_SIDE_H

#include <stdint.h>

#include "platform/files.h"
#include "platform/process_handoff.h"
#include "platform/program_run.h"
#include "platform/user_start_requests.h"

struct UserSideChannel {
  HandoffHandle readEnd = NULL;
  HandoffHandle writeEnd = NULL;
};

// What the elevated copy is told: the waiting process and three of its
// handles (0 for none): the log, the requests' pipe, and its hold on the
// installer's own file (platform/running_image.h).
struct UserSideHandover {
  uint32_t processId = 0;
  uint64_t logFile = 0;
  uint64_t requests = 0;
  uint64_t installerFile = 0;
};

// The pipe; false when it cannot be made (the elevated copy then gets no
// channel and starts nothing for the user).
bool OpenUserSideChannel(UserSideChannel *channel);
UserSideHandover HandoverOf(const UserSideChannel &channel, FileHandle logFile,
                            FileHandle installerFile);
// Carries out the requests that arrive until the process `elevated` has
// ended; a request this side refuses, or more than kMaxUserStartRequests,
// ends the listening (the rest is read and dropped).
void ServeUserSide(UserSideChannel *channel, ProcessHandle elevated);
void CloseUserSideChannel(UserSideChannel *channel);

// Takes the log file and the requests' pipe from the waiting process. The
// log must be a file on disk and the pipe a pipe; *logFile is NULL when
// none was handed over or it is not one. False when the pipe could not be
// taken: StartForUser then starts nothing.
bool JoinUserSide(const UserSideHandover &handover, FileHandle *logFile);
// After a hand-over that led nowhere: nothing is started for the user.
void RefuseUserStarts();

// Starts `request` for the user: through the waiting copy after
// JoinUserSide, nowhere after RefuseUserStarts, else in this process. True
// when it was started or handed over.
bool StartForUser(const UserStartRequest &request);

#endif
