// Decoding ahead for one open archive: the workers, which read the
// installer file through the archive's own handle, and the decode-ahead
// core. Started by the first
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
  InstallerFile *file;  // the open archive's file; NULL: decode on the calling thread
  uint64_t archiveOffset;
  int tried;  // the start was attempted; a failed one is not repeated
  ArchiveSource source;
  DecodeThreads *threads;
  DecodeAhead *core;
};

// Prepares a session for the archive at `archiveOffset` of `file`, which
// stays open while the session lasts; nothing starts yet.
void DecodeSessionInit(DecodeSession *session, InstallerFile *file, uint64_t archiveOffset);
// The core, started on first use; null when the workers cannot run, and the
// caller then decodes on its own thread.
DecodeAhead *DecodeSessionCore(DecodeSession *session);
// Stops the workers and frees everything; safe to call twice and on a
// session never started. The next DecodeSessionCore starts them again.
void DecodeSessionStop(DecodeSession *session);

#endif
