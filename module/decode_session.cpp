#include "module/decode_session.h"

#include <string.h>

// Two workers keep ahead of the writing thread (under Wine the file system
// calls of that thread cost as much as the decoding); more would only
// compete with it and with the wizard for the processors.
static const uint32_t kMaxWorkers = 2;
// Decoded data in flight: eight full chunks (4 MiB). With each worker's
// dictionary and input buffer the process grows by about 7 MiB.
static const uint32_t kWindowBytes = 8 * kChunkSize;
static const uint32_t kMaxChunks = 64;

void DecodeSessionInit(DecodeSession *session, InstallerFile *file, uint64_t archiveOffset) {
  memset(session, 0, sizeof *session);
  session->file = file;
  session->archiveOffset = archiveOffset;
}

static void EndSession(DecodeSession *session) {
  DecodeAheadDestroy(session->core);
  session->core = NULL;
  DecodeThreadsFree(session->threads);
  session->threads = NULL;
}

DecodeAhead *DecodeSessionCore(DecodeSession *session) {
  if (session->tried) return session->core;
  session->tried = 1;
  // Reads that move a shared file pointer cannot run on several threads.
  if (session->file == NULL || ReadsNeedFilePointer()) return NULL;
  session->source = InstallerFileSource(session->file);
  uint32_t workers = ProcessorCount() < kMaxWorkers ? ProcessorCount() : kMaxWorkers;
  session->threads = DecodeThreadsCreate(workers);
  if (session->threads == NULL) {
    EndSession(session);
    return NULL;
  }
  DecodeAheadHost host = DecodeThreadsHost(session->threads);
  DecodeAheadSettings settings = {workers, kWindowBytes, kMaxChunks};
  if (DecodeAheadCreate(&session->core, &session->source, session->archiveOffset, &settings,
                        &host) != ARCHIVE_OK)
    EndSession(session);  // and extraction stays on the calling thread
  return session->core;
}

void DecodeSessionStop(DecodeSession *session) {
  EndSession(session);
  session->tried = 0;
}
