#include "script/ansi_text.h"

namespace {

// Windows-1252 upper-case letters outside ASCII and their lower-case forms.
// CharLowerA maps through Unicode, so S/Z with caron (0x8A, 0x8E), the OE
// ligature (0x8C) and Y with diaeresis (0x9F, whose lower form is 0xFF) are
// lowered as well as the Latin-1 block 0xC0-0xDE (except 0xD7, the
// multiplication sign). Every other byte is its own lower case.
struct LowerTable {
  unsigned char map[256];
};

LowerTable MakeLowerTable() {
  LowerTable table = {};
  for (int c = 0; c < 256; ++c) {
    table.map[c] = static_cast<unsigned char>(c);
  }
  for (int c = 'A'; c <= 'Z'; ++c) {
    table.map[c] = static_cast<unsigned char>(c + 32);
  }
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) {
      table.map[c] = static_cast<unsigned char>(c + 32);
    }
  }
  table.map[0x8A] = 0x9A;
  table.map[0x8C] = 0x9C;
  table.map[0x8E] = 0x9E;
  table.map[0x9F] = 0xFF;
  return table;
}

const LowerTable &Lower() {
  static const LowerTable table = MakeLowerTable();
  return table;
}

}  // namespace

unsigned char AnsiLowerChar(unsigned char c) { return Lower().map[c]; }

std::string AnsiLower(const std::string &text) {
  std::string result(text);
  const LowerTable &table = Lower();
  for (size_t i = 0; i < result.size(); ++i) {
    result[i] = static_cast<char>(table.map[static_cast<unsigned char>(result[i])]);
  }
  return result;
}

std::string TrimSpaces(const std::string &text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && text[begin] == ' ') {
    ++begin;
  }
  while (end > begin && text[end - 1] == ' ') {
    --end;
  }
  return text.substr(begin, end - begin);
}

size_t FindIgnoringCase(const std::string &text, const std::string &needle, size_t from) {
  if (needle.empty() || from > text.size() || needle.size() > text.size() - from) {
    return std::string::npos;
  }
  const LowerTable &table = Lower();
  const size_t last = text.size() - needle.size();
  for (size_t pos = from; pos <= last; ++pos) {
    size_t i = 0;
    while (i < needle.size() &&
           table.map[static_cast<unsigned char>(text[pos + i])] ==
               table.map[static_cast<unsigned char>(needle[i])]) {
      ++i;
    }
    if (i == needle.size()) {
      return pos;
    }
  }
  return std::string::npos;
}

std::string ReplaceIgnoringCase(const std::string &text, const std::string &token,
                                const std::string &value) {
  if (token.empty()) {
    return text;
  }
  std::string result;
  size_t from = 0;
  size_t found = FindIgnoringCase(text, token, from);
  while (found != std::string::npos) {
    result.append(text, from, found - from);
    result.append(value);
    from = found + token.size();
    found = FindIgnoringCase(text, token, from);
  }
  result.append(text, from, std::string::npos);
  return result;
}
