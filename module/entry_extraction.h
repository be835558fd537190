// Extraction of the reader's current entry into memory or into a file.
#ifndef QVS_MODULE_ENTRY_EXTRACTION_H
#define QVS_MODULE_ENTRY_EXTRACTION_H

#include "archive/archive_reader.h"
#include "module/unpacker_api.h"

// Decodes the whole current entry into `buffer` of `capacity` bytes. 1 when
// it fitted, decoded and its CRC matched; 0 otherwise.
int ExtractEntryToMemory(ArchiveReader *reader, void *buffer, uint64_t capacity);

// Writes the current entry as `folder` + its file name (the part after the
// last "\"), with the callbacks of the interface. The data goes to a
// temporary file in the same folder that replaces the destination only once
// the CRC matched: a failure never leaves a partial file and never harms an
// existing one. Returns an UnpackerExtractResult.
int ExtractEntryToFolder(ArchiveReader *reader, const char *folder,
                         UnpackerFileCallback fileCallback,
                         UnpackerReplaceCallback replaceCallback);

#endif
