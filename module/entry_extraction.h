// Extraction of the reader's current entry into memory or into a file.
#ifndef QVS_MODULE_ENTRY_EXTRACTION_H
#define QVS_MODULE_ENTRY_EXTRACTION_H

#include "archive/archive_reader.h"
#include "archive/decode_ahead.h"
#include "module/unpacker_api.h"

// Decodes the whole current entry into `buffer` of `capacity` bytes. 1 when
// it fitted, decoded and its CRC matched; 0 otherwise.
int ExtractEntryToMemory(ArchiveReader *reader, void *buffer, uint64_t capacity);

// Writes the current entry as `folder` + its file name (the part after the
// last "\"), with the callbacks of the interface, taking the decoded bytes
// from `decodeAhead` when it is set. A new destination is written directly
// and deleted again after a failure or a stop; an existing one is replaced
// through a temporary file in the same folder only once the CRC matched. So
// a failure never leaves a partial file and never harms an existing one.
// Returns an UnpackerExtractResult.
int ExtractEntryToFolder(ArchiveReader *reader, DecodeAhead *decodeAhead, const char *folder,
                         UnpackerFileCallback fileCallback,
                         UnpackerReplaceCallback replaceCallback);

#endif
