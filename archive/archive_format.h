// On-disk layout of the QLZMA payload archive.
//
// Map of the archive (all integers little-endian):
//
//   header   magic "QLZMA" | u32 version (1) | u32 archive time
//            | u64 entry count | u64 total compressed | u64 total uncompressed
//            | u8 LZMA properties (lc + lp*9 + pb*45) | u32 dictionary size
//   entries  back to back, exactly `entry count` of them:
//            u32 name length (with its zero) | name | u32 mtime | u32 attributes
//            | u64 compressed size | u64 uncompressed size | u32 CRC-32 | u32 encrypted
//            | chunks: u32 c | u32 u | c bytes of raw LZMA1 (no header, no end marker)
//
// Each chunk holds at most kChunkSize uncompressed bytes and is an independent
// LZMA1 stream; only an entry's last chunk is shorter. An empty entry (size 0)
// has no chunk at all: compressed size 0, CRC 0.
//
// Times are seconds since 1970-01-01 read off the local clock (no time-zone
// conversion). Bytes after the last entry (an Authenticode signature appended
// to the installer, for example) are not part of the archive.
#ifndef QVS_ARCHIVE_ARCHIVE_FORMAT_H
#define QVS_ARCHIVE_ARCHIVE_FORMAT_H

#include <stddef.h>
#include <stdint.h>

static const char kArchiveMagic[5] = {'Q', 'L', 'Z', 'M', 'A'};
static const uint32_t kArchiveVersion = 1;
static const uint32_t kArchiveHeaderSize = 42;

// Properties the builder writes and the reader accepts.
static const uint8_t kLzmaPropertiesByte = 0x5D;  // lc 3, lp 0, pb 2
static const uint32_t kLzmaDictionarySize = 1048576;

static const uint32_t kChunkSize = 524288;
static const uint32_t kChunkHeaderSize = 8;

// Entry record around the name: u32 name length before it, 32 bytes after it
// (mtime, attributes, compressed size, uncompressed size, CRC-32, encrypted).
static const uint32_t kEntryFixedSize = 32;
// Longest name, terminating zero included, that a reader accepts.
static const uint32_t kMaxEntryNameLength = 32768;

// Largest compressed size that LZMA1 can produce for `u` input bytes. Any
// chunk header claiming more is corrupt; the encoder never exceeds it.
static inline uint64_t LzmaChunkBound(uint32_t u) {
  return (uint64_t)u + u / 2 + 256;
}

#endif
