#include "archive/archive_records.h"

#include <string.h>

#include "archive/byte_order.h"

// Offsets within the header and the fixed part of a record.
enum {
  kHeaderVersion = 5,
  kHeaderTime = 9,
  kHeaderEntryCount = 13,
  kHeaderTotalCompressed = 21,
  kHeaderTotalUncompressed = 29,
  kHeaderProperties = 37,
  kHeaderDictionary = 38,
  kFixedTime = 0,
  kFixedAttributes = 4,
  kFixedCompressed = 8,
  kFixedUncompressed = 16,
  kFixedCrc = 24,
  kFixedEncrypted = 28,
  kFixedEnd = 32
};

static_assert(kHeaderDictionary + 4 == kArchiveHeaderSize, "header layout");
static_assert(kFixedEnd == kEntryFixedSize, "record layout");

void EncodeArchiveHeader(const ArchiveHeader *header, uint8_t out[kArchiveHeaderSize]) {
  memcpy(out, kArchiveMagic, sizeof kArchiveMagic);
  StoreU32(out + kHeaderVersion, header->version);
  StoreU32(out + kHeaderTime, header->archiveTime);
  StoreU64(out + kHeaderEntryCount, header->entryCount);
  StoreU64(out + kHeaderTotalCompressed, header->totalCompressed);
  StoreU64(out + kHeaderTotalUncompressed, header->totalUncompressed);
  out[kHeaderProperties] = header->lzmaProperties;
  StoreU32(out + kHeaderDictionary, header->dictionarySize);
}

ArchiveResult DecodeArchiveHeader(const uint8_t *bytes, size_t size, ArchiveHeader *header) {
  if (size < sizeof kArchiveMagic || memcmp(bytes, kArchiveMagic, sizeof kArchiveMagic) != 0)
    return ARCHIVE_FORMAT_ERROR;
  if (size < kArchiveHeaderSize) return ARCHIVE_DATA_ERROR;
  header->version = LoadU32(bytes + kHeaderVersion);
  header->archiveTime = LoadU32(bytes + kHeaderTime);
  header->entryCount = LoadU64(bytes + kHeaderEntryCount);
  header->totalCompressed = LoadU64(bytes + kHeaderTotalCompressed);
  header->totalUncompressed = LoadU64(bytes + kHeaderTotalUncompressed);
  header->lzmaProperties = bytes[kHeaderProperties];
  header->dictionarySize = LoadU32(bytes + kHeaderDictionary);
  if (header->version != kArchiveVersion) return ARCHIVE_UNSUPPORTED;
  if (header->lzmaProperties != kLzmaPropertiesByte ||
      header->dictionarySize != kLzmaDictionarySize)
    return ARCHIVE_UNSUPPORTED;
  return ARCHIVE_OK;
}

void EncodeEntryFixed(const ArchiveEntry *entry, uint8_t out[kEntryFixedSize]) {
  StoreU32(out + kFixedTime, entry->modificationTime);
  StoreU32(out + kFixedAttributes, entry->attributes);
  StoreU64(out + kFixedCompressed, entry->compressedSize);
  StoreU64(out + kFixedUncompressed, entry->uncompressedSize);
  StoreU32(out + kFixedCrc, entry->crc32);
  StoreU32(out + kFixedEncrypted, entry->encrypted);
}

void DecodeEntryFixed(const uint8_t in[kEntryFixedSize], ArchiveEntry *entry) {
  entry->modificationTime = LoadU32(in + kFixedTime);
  entry->attributes = LoadU32(in + kFixedAttributes);
  entry->compressedSize = LoadU64(in + kFixedCompressed);
  entry->uncompressedSize = LoadU64(in + kFixedUncompressed);
  entry->crc32 = LoadU32(in + kFixedCrc);
  entry->encrypted = LoadU32(in + kFixedEncrypted);
}

ArchiveResult CheckChunkHeader(uint32_t c, uint32_t u, uint64_t entryRemaining,
                               uint64_t sourceRemaining) {
  // u == 0 would let a walk spin without progress.
  if (u == 0 || u > kChunkSize || u > entryRemaining) return ARCHIVE_DATA_ERROR;
  if (c == 0 || c > LzmaChunkBound(u) || c > sourceRemaining) return ARCHIVE_DATA_ERROR;
  return ARCHIVE_OK;
}
