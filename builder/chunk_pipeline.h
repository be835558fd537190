// Compresses the entries' chunks on worker threads and hands them to the
// archive writer strictly in order.
//
// The calling thread reads each entry's chunks (up to 512 KiB) in order into
// a window of slots, workers compress them with one ChunkEncoder each, reused
// for every chunk, and the calling thread passes finished slots to
// ArchiveWriterAddChunk in sequence. Chunks are independent LZMA streams, so
// the bytes written do not depend on the number of threads. The window holds
// up to 16 chunks per worker but at most two full chunks' worth of input per
// worker, so memory stays the encoders plus about 2 MiB per worker.
#ifndef QVS_BUILDER_CHUNK_PIPELINE_H
#define QVS_BUILDER_CHUNK_PIPELINE_H

#include <stdint.h>

#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "builder/project.h"

struct PipelineSettings {
  uint32_t threads;  // workers, at least 1
  uint32_t level;  // LZMA preset 0..9
  bool extreme;
};

// Called on the calling thread after each chunk and after each entry: bytes
// read so far and compressed bytes written so far.
struct PipelineProgress {
  void (*report)(void *context, uint64_t bytesIn, uint64_t bytesOut);
  void *context;
};

// Writes every entry of `files`, in order, through `writer` (opened by the
// caller, finished by the caller). Returns true on success; on failure
// *error says what failed, and every worker has stopped.
bool WriteEntries(ArchiveWriter *writer, const std::vector<InputFile> &files,
                  const PipelineSettings &settings, const PipelineProgress *progress,
                  std::string *error);

#endif
