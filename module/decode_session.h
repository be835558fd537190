// Decoding ahead for one open archive: the workers, their own handle on the
// installer file, and the decode-ahead core. Started by the first
// extraction to a folder, not by Read: the stub's first walk, which only
// reads the configuration entries into memory, costs no thread and no
// speculative decoding.
#ifndef QVS_MODULE_DECODE_SESSION_H
#define QVS_MODULE_DECODE_SESSION_H

#include <windows.h>

#include "archive/decode_ahead.h"
#include "module/decode_threads.h"
#include "module/installer_file.h"

struct DecodeSession {
  char installerPath[MAX_PATH];  // empty: decode on the calling thread
  uint64_t archiveOffset;
  int tried;  // the start was attempted; a failed one is not repeated
  InstallerFile file;  // the workers' own handle: the caller's moves its file pointer
  ArchiveSource source;
  DecodeThreads *threads;
  DecodeAhead *core;
};

// Prepares a session for the archive at `archiveOffset` of `installerPath`;
// nothing starts yet.
void DecodeSessionInit(DecodeSession *session, const char *installerPath, uint64_t archiveOffset);
// The core, started on first use; null when the workers cannot run, and the
// caller then decodes on its own thread.
DecodeAhead *DecodeSessionCore(DecodeSession *session);
// Stops the workers and frees everything; safe to call twice and on a
// session never started. The next DecodeSessionCore starts them again.
void DecodeSessionStop(DecodeSession *session);

#endif
