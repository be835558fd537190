// CRC-32 (the polynomial of zlib and the archive, reflected, 0xEDB88320),
// small enough for the stub: a table of sixteen entries, two look-ups a
// byte. Portable.
#ifndef QVS_FORMAT_CHECKSUM_H
#define QVS_FORMAT_CHECKSUM_H

#include <stddef.h>
#include <stdint.h>

// The CRC-32 of `size` bytes continued from `crc` (0 to begin).
uint32_t Crc32(uint32_t crc, const void *data, size_t size);

#endif
