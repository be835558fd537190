// The two ways the installer process ends. Interactive runs end with exit
// code 0; an unattended (silent) run ends with the code the run set
// (exit_codes.h), a fatal error until told otherwise.
#ifndef QVS_ENGINE_STATE_EXITS_H
#define QVS_ENGINE_STATE_EXITS_H

// Unloads the unpacker module and deletes its temporary file (when it exists
// and is not empty), then NormalExit. Used after every fatal message once
// the module file may exist, on a confirmed cancel and at the end.
[[noreturn]] void CleanExit();
// Ends the process (the log, if any, closes with the exit code).
[[noreturn]] void NormalExit();

// The exit code of a silent run from here on.
void SetExitCode(int code);

#endif
