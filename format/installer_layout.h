// Layout of an installer file, shared by the stub, the unpacker module and
// the builder:
//
//   offset n       the stub (a PE executable), n bytes
//   n              start marker, 20 bytes, no terminator
//   n + 20         u32 require-administrator flag (1 relaunches elevated)
//   n + 24         u64 module size m
//   n + 32         the unpacker module DLL, m bytes
//   n + 32 + m     end marker, 18 bytes
//   n + 50 + m     the payload archive, to the end of the file
//
// Both markers lie within the first kMarkerSearchSize bytes. The stub and the
// module search for the first occurrence, so neither may hold the marker
// text in plain form: they keep it scrambled with a three-byte key and
// restore it into a buffer at run time.
#ifndef QVS_FORMAT_INSTALLER_LAYOUT_H
#define QVS_FORMAT_INSTALLER_LAYOUT_H

#include <stddef.h>
#include <stdint.h>

static const uint32_t kMarkerSearchSize = 1048576;
static const uint32_t kStartMarkerLength = 20;
static const uint32_t kEndMarkerLength = 18;
// Flag and module size between the start marker and the module.
static const uint32_t kConfigHeaderSize = 12;

static const uint8_t kMarkerKey[3] = {0x5A, 0xC3, 0x17};
static const uint8_t kScrambledStartMarker[kStartMarkerLength] = {
    0x7E, 0x9C, 0x46, 0x0C, 0x90, 0x48, 0x19, 0x8C, 0x59, 0x1C,
    0x8A, 0x50, 0x05, 0x90, 0x43, 0x1B, 0x91, 0x43, 0x05, 0xE7};
static const uint8_t kScrambledEndMarker[kEndMarkerLength] = {
    0x7E, 0x9C, 0x46, 0x0C, 0x90, 0x48, 0x19, 0x8C, 0x59,
    0x1C, 0x8A, 0x50, 0x05, 0x86, 0x59, 0x1E, 0x9C, 0x33};

// XORs `length` bytes of `buffer` in place with `key`, the key repeating from
// its first byte. Does nothing when a pointer is missing or a length is not
// positive. Applying it twice restores the input.
static inline void ScrambleBytes(uint8_t *buffer, int length, const uint8_t *key, int keyLength) {
  if (buffer == NULL || key == NULL || length <= 0 || keyLength <= 0) return;
  for (int i = 0; i < length; i++) buffer[i] ^= key[i % keyLength];
}

// Copies a scrambled marker into `out` (at least `length` bytes) as plain text.
static inline void RestoreMarker(const uint8_t *scrambled, uint32_t length, uint8_t *out) {
  for (uint32_t i = 0; i < length; i++) out[i] = scrambled[i];
  ScrambleBytes(out, (int)length, kMarkerKey, (int)sizeof kMarkerKey);
}

// Sunday (quick-search) scan for `marker` in `data`. Candidates start at
// position 1: the file's first byte is never a candidate. Returns the first
// position where the marker lies wholly within `data`, or -1.
static inline int64_t FindMarker(const uint8_t *data, size_t dataLength, const uint8_t *marker,
                                 size_t markerLength) {
  if (data == NULL || marker == NULL || markerLength == 0 || dataLength < markerLength + 1)
    return -1;
  size_t shift[256];
  for (size_t i = 0; i < 256; i++) shift[i] = markerLength + 1;
  for (size_t j = 0; j < markerLength; j++) shift[marker[j]] = markerLength - j;
  size_t position = 1;
  while (position + markerLength <= dataLength) {
    size_t j = 0;
    while (j < markerLength && data[position + j] == marker[j]) j++;
    if (j == markerLength) return (int64_t)position;
    if (position + markerLength >= dataLength) break;
    position += shift[data[position + markerLength]];
  }
  return -1;
}

#endif
