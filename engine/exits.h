// The two ways the installer process ends. Both end with exit code 0.
#ifndef QVS_ENGINE_EXITS_H
#define QVS_ENGINE_EXITS_H

// Unloads the unpacker module and deletes its temporary file (when it exists
// and is not empty), then NormalExit. Used after every fatal message once
// the module file may exist, on a confirmed cancel and at the end.
[[noreturn]] void CleanExit();
// Ends the process with exit code 0.
[[noreturn]] void NormalExit();

#endif
