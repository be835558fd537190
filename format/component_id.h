// Component IDs as they stand in archive entry names: the first folder of a
// product entry ("12\bin\app.exe"). The builder writes them, and the stub
// reads them, as canonical decimal only, so that one ID has one spelling
// and a name such as "$14\x" or "4294967316\x" is never taken for
// component 20.
#ifndef QVS_FORMAT_COMPONENT_ID_H
#define QVS_FORMAT_COMPONENT_ID_H

#include <stddef.h>
#include <stdint.h>

static const uint32_t kMaxComponentId = 2147483647u;
static const size_t kMaxComponentIdDigits = 10;

// True when the `length` bytes at `text` are a canonical decimal component
// ID: digits only, no sign, no leading zero (but "0"), at most
// kMaxComponentId. Sets *id then.
static inline bool ParseCanonicalComponentId(const char *text, size_t length, uint32_t *id) {
  if (text == NULL || length == 0 || length > kMaxComponentIdDigits) return false;
  if (text[0] == '0' && length > 1) return false;
  uint64_t value = 0;
  for (size_t i = 0; i < length; i++) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (uint64_t)(text[i] - '0');
  }
  if (value > kMaxComponentId) return false;
  *id = (uint32_t)value;
  return true;
}

#endif
