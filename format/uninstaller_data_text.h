// The small text rules of the uninstaller's data file that its writer and
// reader share: integers, ID lists and the hexadecimal form of binary data.
#ifndef QVS_FORMAT_UNINSTALLER_DATA_TEXT_H
#define QVS_FORMAT_UNINSTALLER_DATA_TEXT_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Decimal, with a leading "-" when negative (CountText: a line number or
// position).
std::string DecimalText(int32_t value);
std::string CountText(size_t value);

// An optional "-" and one or more decimal digits, nothing else, within the
// 32-bit signed range.
bool ParseDecimal32(const std::string &text, int32_t *value);

// IDs joined by "," (no blanks, no trailing comma), and back. Parsing
// fails on an empty field, a field that is not a number, or more than
// maxCount IDs.
std::string IdListText(const std::vector<int32_t> &ids);
bool ParseIdList(const std::string &text, size_t maxCount, std::vector<int32_t> *ids);

// Two uppercase hexadecimal digits per byte, and back (either case; fails
// on an odd length or another character).
std::string HexText(const std::string &bytes);
bool ParseHex(const std::string &text, std::string *bytes);

#endif
