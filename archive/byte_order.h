// Little-endian loads and stores for the archive's on-disk integers. Byte by
// byte, so neither alignment nor the host's byte order matters.
#ifndef QVS_ARCHIVE_BYTE_ORDER_H
#define QVS_ARCHIVE_BYTE_ORDER_H

#include <stdint.h>

static inline uint32_t LoadU32(const uint8_t *p) {
  return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

static inline uint64_t LoadU64(const uint8_t *p) {
  return (uint64_t)LoadU32(p) | (uint64_t)LoadU32(p + 4) << 32;
}

static inline void StoreU32(uint8_t *p, uint32_t value) {
  for (int i = 0; i < 4; i++) p[i] = (uint8_t)(value >> (8 * i));
}

static inline void StoreU64(uint8_t *p, uint64_t value) {
  for (int i = 0; i < 8; i++) p[i] = (uint8_t)(value >> (8 * i));
}

#endif
