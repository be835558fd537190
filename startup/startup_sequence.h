// The installer's start-up: prepares the process-wide resources, refuses
// systems that are too old, loads the payload, chooses the language and
// starts the main flow. Never returns.
#ifndef QVS_STARTUP_STARTUP_SEQUENCE_H
#define QVS_STARTUP_STARTUP_SEQUENCE_H

[[noreturn]] void RunInstaller();

#endif
