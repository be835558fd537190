// libFuzzer entry: the input is an archive. Opens it, walks every entry and
// extracts each one; any crash, hang, leak or large allocation is a bug.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "archive/archive_reader.h"

namespace {

struct Input {
  const uint8_t *data;
  size_t size;
};

int ReadInput(void *context, uint64_t offset, void *buffer, size_t size) {
  const Input *input = (const Input *)context;
  if (offset > input->size || size > input->size - offset) return 0;
  memcpy(buffer, input->data + offset, size);
  return 1;
}

// Touches every byte so that the sanitizers see uninitialised output.
ArchiveResult DiscardSink(void *context, const uint8_t *data, size_t size) {
  uint8_t *sum = (uint8_t *)context;
  for (size_t i = 0; i < size; i++) *sum ^= data[i];
  return ARCHIVE_OK;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Input input = {data, size};
  ArchiveSource source = {&input, ReadInput, size};
  ArchiveReader *reader = NULL;
  if (ArchiveReaderOpen(&reader, &source, 0) != ARCHIVE_OK) return 0;
  uint8_t sum = 0;
  ArchiveResult result = ArchiveReaderFirst(reader);
  while (result == ARCHIVE_OK) {
    const ArchiveEntry *entry = ArchiveReaderGetEntry(reader);
    if (strlen(entry->name) != entry->nameLength) __builtin_trap();
    ArchiveReaderExtract(reader, DiscardSink, &sum);
    result = ArchiveReaderNext(reader);
  }
  if (result == ARCHIVE_END && ArchiveReaderEndOffset(reader) > size) __builtin_trap();
  ArchiveReaderClose(reader);
  return 0;
}
