// The requests the elevated copy of the installer sends to the copy the
// user started (which waits for it, with the user's own rights) so that the
// programs a user starts at the end (finish actions, web links) run as that
// user and not as the administrator. Portable: the encoding and the rules
// the receiving side applies.
//
// A request on the wire: "QVSR", the kind (1 byte), hidden (1 byte), then
// the file, the parameters and the folder, each as a 32-bit little-endian
// length and that many bytes. The receiver takes a request only when every
// field is within its limit, holds no zero byte, and the request is one of
// the starts a finish action or a link makes (see IsAcceptableUserStart);
// anything else ends the conversation.
#ifndef QVS_PLATFORM_USER_START_REQUESTS_H
#define QVS_PLATFORM_USER_START_REQUESTS_H

#include <stddef.h>

#include <string>

enum UserStartKind {
  // `file` started as the program with `parameters` as its whole command
  // line (CreateProcessA with an application name).
  kUserStartProgram = 0,
  // `file` opened with its default action through the shell, with
  // `parameters`.
  kUserStartThroughShell = 1,
  // `parameters` started as a command line (the program its first word).
  kUserStartCommandLine = 2,
};

struct UserStartRequest {
  UserStartKind kind = kUserStartProgram;
  std::string file;
  std::string parameters;
  std::string folder;  // the working folder; empty: the receiver's own
  bool hidden = false;
};

// Longest file, parameters and folder a request may carry (the limit of a
// Windows command line), and the most requests one run may send.
static const size_t kMaxUserStartText = 32767;
static const int kMaxUserStartRequests = 64;

// The bytes of one request; empty when a text is over its limit.
std::string EncodeUserStartRequest(const UserStartRequest &request);

enum UserStartDecoding {
  kUserStartIncomplete,  // `pending` holds the beginning of a request
  kUserStartTaken,       // one request removed from the front of `pending`
  kUserStartRefused,     // not a request this side accepts: stop listening
};

// Takes the first request from the bytes received so far.
UserStartDecoding TakeUserStartRequest(std::string *pending, UserStartRequest *request);

// What the user's side accepts: a program or a file for the shell that is
// named, a command line that begins with a program, paths without control
// characters. The user could start each of these alike, and that side
// only ever starts them: it waits for nothing and answers nothing.
bool IsAcceptableUserStart(const UserStartRequest &request);

#endif
