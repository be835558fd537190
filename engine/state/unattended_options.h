// The installer's command line: "-elevated" (the relaunched copy) and the
// switches administrators give an unattended installation, in the forms
// they know from other installers. Switches are case-insensitive.
//
//   /S               silent: no window and no message; the answers below
//   /D=path          the install folder; last on the line, may hold spaces
//                    unquoted (everything after "/D=" is the path)
//   /COMPONENTS=1,4  the components to install (besides those that always
//                    are), or /TYPE=n, the install type (0 default, 1 full)
//   /ALLUSERS, /CURRENTUSER   for whom (when the system offers the choice)
//   /GROUP=name, /NOGROUP     the start-menu group, or none
//   /DESKTOP, /NODESKTOP      the desktop shortcuts of the additional-tasks
//                    page: made (the page's default) or not
//   /QUICKLAUNCH, /NOQUICKLAUNCH   the quick-launch shortcuts, likewise
//   /LANG=1031       the language, by its LangID
//   /LOG=file        a log of the run (silent or not)
//   /NORESTART, /FORCERESTART whether a restart the product asks for happens
//
// Portable.
#ifndef QVS_ENGINE_STATE_UNATTENDED_OPTIONS_H
#define QVS_ENGINE_STATE_UNATTENDED_OPTIONS_H

#include <stdint.h>

#include <string>
#include <vector>

enum ScopeAnswer { kScopeNotGiven, kScopeAllUsers, kScopeCurrentUser };
enum GroupAnswer { kGroupNotGiven, kGroupNamed, kGroupNone };
enum RestartAnswer { kRestartNotGiven, kRestartNever, kRestartForced };
// A shortcut box of the additional-tasks page; not given: as the page has
// it at first (ticked).
enum ShortcutAnswer { kShortcutsNotGiven, kShortcutsWanted, kShortcutsRefused };

struct UnattendedOptions {
  // "-elevated", the copy relaunched with rights (the installer takes it
  // only as the first parameter, and sets this itself).
  bool elevated = false;
  // "-handover=PROCESS,LOG,REQUESTS,IMAGE", which the copy the user
  // started gives the elevated copy after "-elevated": its process ID, and
  // the numbers of its log file, of the write end of its start requests'
  // pipe (platform/user_side.h), 0 for none, and of its hold on the
  // installer's own file, which must be the file the elevated copy runs
  // from. Not a switch anyone else gives.
  bool hasHandover = false;
  uint32_t handoverProcess = 0;
  uint64_t handoverLog = 0;
  uint64_t handoverRequests = 0;
  uint64_t handoverImage = 0;
  bool silent = false;
  bool hasFolder = false;
  std::string folder;
  bool hasComponents = false;
  std::vector<int32_t> components;
  int installType = -1;  // -1 when not given
  ScopeAnswer scope = kScopeNotGiven;
  GroupAnswer group = kGroupNotGiven;
  std::string groupName;
  ShortcutAnswer desktop = kShortcutsNotGiven;
  ShortcutAnswer quickLaunch = kShortcutsNotGiven;
  bool hasLanguage = false;
  int32_t languageId = 0;
  std::string logPath;
  RestartAnswer restart = kRestartNotGiven;
  // What was wrong with the line, one message per problem; empty when it
  // was read whole.
  std::vector<std::string> problems;
  // The switches as given, to pass on to an elevated copy.
  std::string switches;
};

// Reads the whole command line (program name first, quoted or up to the
// first blank). Unknown switches, switches given twice, contradictions
// (/COMPONENTS with /TYPE, /ALLUSERS with /CURRENTUSER, /GROUP with
// /NOGROUP, /DESKTOP with /NODESKTOP, /QUICKLAUNCH with /NOQUICKLAUNCH,
// /NORESTART with /FORCERESTART) and malformed values are
// reported in `problems`.
UnattendedOptions ReadUnattendedOptions(const std::string &commandLine);

// The hand-over parameter for `processId`, `logFile`, `requests` and
// `image`.
std::string HandoverParameter(uint32_t processId, uint64_t logFile, uint64_t requests,
                              uint64_t image);

// The process's options, read once at start-up.
UnattendedOptions &Unattended();

#endif
