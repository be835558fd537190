#include "format/uninstaller_data_text.h"

namespace {

const char kUpperHexDigits[] = "0123456789ABCDEF";
const int kNotHex = -1;
const char kIdSeparator = ',';
// One more than the largest magnitude a 32-bit signed integer holds
// (2147483648 is allowed only with a "-").
const int64_t kInt32Magnitude = INT64_C(2147483648);

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return kNotHex;
}

}  // namespace

std::string DecimalText(int32_t value) {
  // Through 64 bits, so that the most negative value has a magnitude.
  int64_t wide = value;
  bool negative = wide < 0;
  if (negative) wide = -wide;
  char digits[24];
  size_t count = 0;
  do {
    digits[count++] = (char)('0' + wide % 10);
    wide /= 10;
  } while (wide != 0);
  std::string text;
  if (negative) text += '-';
  while (count > 0) text += digits[--count];
  return text;
}

std::string CountText(size_t value) {
  char digits[24];
  size_t count = 0;
  do {
    digits[count++] = (char)('0' + value % 10);
    value /= 10;
  } while (value != 0);
  std::string text;
  while (count > 0) text += digits[--count];
  return text;
}

bool ParseDecimal32(const std::string &text, int32_t *value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    i++;
  }
  if (i == text.size()) return false;
  int64_t magnitude = 0;
  for (; i < text.size(); i++) {
    char c = text[i];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kInt32Magnitude) return false;
  }
  if (!negative && magnitude == kInt32Magnitude) return false;
  *value = (int32_t)(negative ? -magnitude : magnitude);
  return true;
}

std::string IdListText(const std::vector<int32_t> &ids) {
  std::string text;
  for (size_t i = 0; i < ids.size(); i++) {
    if (i > 0) text += kIdSeparator;
    text += DecimalText(ids[i]);
  }
  return text;
}

bool ParseIdList(const std::string &text, size_t maxCount, std::vector<int32_t> *ids) {
  ids->clear();
  size_t start = 0;
  for (;;) {
    size_t end = text.find(kIdSeparator, start);
    if (end == std::string::npos) end = text.size();
    int32_t id = 0;
    if (ids->size() == maxCount) return false;
    if (!ParseDecimal32(text.substr(start, end - start), &id)) return false;
    ids->push_back(id);
    if (end == text.size()) return true;
    start = end + 1;
  }
}

std::string HexText(const std::string &bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    text += kUpperHexDigits[byte >> 4];
    text += kUpperHexDigits[byte & 0x0F];
  }
  return text;
}

bool ParseHex(const std::string &text, std::string *bytes) {
  bytes->clear();
  if (text.size() % 2 != 0) return false;
  bytes->reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    int high = HexValue(text[i]);
    int low = HexValue(text[i + 1]);
    if (high == kNotHex || low == kNotHex) return false;
    *bytes += (char)(high * 16 + low);
  }
  return true;
}
