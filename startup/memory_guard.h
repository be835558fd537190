// Allocation failure anywhere in the installer ends it with the message
// "Memory buffer error." and the clean exit, instead of a crash: Windows
// code is built without exceptions, so a failed `new` would otherwise end
// the process abruptly and leave the temporary module file behind.
//
// Call InstallMemoryGuard once, first thing on the main thread.
#ifndef QVS_STARTUP_MEMORY_GUARD_H
#define QVS_STARTUP_MEMORY_GUARD_H

void InstallMemoryGuard();

#endif
