#include "builder/path_rules.h"

#include <string.h>

#include "format/component_id.h"

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Windows-1252 superscripts one, two and three: Windows treats "COM¹" like COM1.
bool IsDeviceDigit(unsigned char c) {
  return IsDigit((char)c) || c == 0xB9 || c == 0xB2 || c == 0xB3;
}

// Code points of Windows-1252 bytes 0x80..0x9F; 0 where the byte is undefined.
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool CodePointToWindows1252(uint32_t cp, char *out) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    *out = (char)cp;
    return true;
  }
  for (int i = 0; i < 32; i++) {
    if (kHighControls[i] != 0 && kHighControls[i] == cp) {
      *out = (char)(0x80 + i);
      return true;
    }
  }
  return false;
}

void AppendUtf8(uint32_t cp, std::string *out) {
  if (cp < 0x80) {
    out->push_back((char)cp);
  } else if (cp < 0x800) {
    out->push_back((char)(0xC0 | (cp >> 6)));
    out->push_back((char)(0x80 | (cp & 0x3F)));
  } else {
    out->push_back((char)(0xE0 | (cp >> 12)));
    out->push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back((char)(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

bool IsReservedDeviceName(const std::string &component) {
  // Windows ignores the extension and spaces before it: "nul.txt" and
  // "con .log" both name the device.
  std::string base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  std::string lower;
  for (char c : base) lower.push_back(LowerAscii(c));
  if (lower == "con" || lower == "prn" || lower == "aux" || lower == "nul" || lower == "clock$")
    return true;
  if (lower.size() == 4 && (lower.compare(0, 3, "com") == 0 || lower.compare(0, 3, "lpt") == 0))
    return IsDeviceDigit((unsigned char)lower[3]);
  return false;
}

const char *WindowsNameProblem(const std::string &component) {
  if (component.empty()) return "empty name";
  if (component == "." || component == "..") return "'.' or '..' component";
  if (component.size() > kMaxComponentLength) return "name longer than 255 bytes";
  for (char c : component) {
    if ((unsigned char)c < 32) return "control character in name";
    if (strchr("<>:\"/\\|?*", c) != NULL) return "character not allowed on Windows (<>:\"/\\|?*)";
  }
  char last = component.back();
  if (last == ' ' || last == '.') return "name ends with a space or a dot";
  if (IsReservedDeviceName(component)) return "reserved device name";
  return NULL;
}

// The messages name the limits; the asserts keep them in step.
static_assert(kMaxRelativePathLength == 158 && kMaxRelativeFolderLength == 141 &&
                  kInstallFolderAllowance == 100,
              "update the path-length messages");

const char *RelativePathProblem(const std::string &path) {
  if (path.empty()) return "empty path";
  if (path[0] == '\\' || path[0] == '/') return "absolute path";
  if (path.size() >= 2 && path[1] == ':') return "drive letter in path";
  if (path.size() > kMaxRelativePathLength)
    return "path longer than 158 bytes: the installer could not write it below an install "
           "folder of 100 characters (Windows paths stop at 259)";
  size_t lastSeparator = path.rfind('\\');
  if (lastSeparator != std::string::npos && lastSeparator > kMaxRelativeFolderLength)
    return "folder path longer than 141 bytes: the installer could not write its files below "
           "an install folder of 100 characters (it writes into folders of at most 243, so that "
           "its own names of 16 fit beside the product's)";
  size_t start = 0;
  while (true) {
    size_t end = path.find('\\', start);
    std::string component = path.substr(start, end == std::string::npos ? std::string::npos
                                                                       : end - start);
    const char *problem = WindowsNameProblem(component);
    if (problem != NULL) return problem;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return NULL;
}

std::string FoldWindowsCase(const std::string &ansi) {
  std::string result = ansi;
  for (char &c : result) {
    unsigned char byte = (unsigned char)c;
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
      c = (char)(byte + 0x20);
    else if (byte == 0x8A || byte == 0x8C || byte == 0x8E)
      c = (char)(byte + 0x10);
    else if (byte == 0x9F)
      c = (char)0xFF;
  }
  return result;
}

bool ParseComponentFolder(const std::string &name, uint32_t *id) {
  return ParseCanonicalComponentId(name.data(), name.size(), id);
}

bool IsLanguageTextName(const std::string &name) {
  size_t dot = name.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 >= name.size()) return false;
  if (name.find('.', dot + 1) != std::string::npos) return false;
  std::string stem = name.substr(0, dot);
  if (stem == "Default") return true;
  uint32_t id = 0;
  return ParseComponentFolder(stem, &id);
}

bool IsLanguageFileName(const std::string &name) {
  std::string folded = FoldWindowsCase(name);
  return folded.size() >= 5 && folded.compare(folded.size() - 4, 4, ".lng") == 0 &&
         WindowsNameProblem(name) == NULL;
}

bool Utf8ToWindows1252(const std::string &utf8, std::string *out) {
  std::string result;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char lead = (unsigned char)utf8[i];
    uint32_t cp = 0;
    size_t extra = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      cp = lead & 0x1F;
      extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      cp = lead & 0x0F;
      extra = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      cp = lead & 0x07;
      extra = 3;
    } else {
      return false;
    }
    if (extra > 0 && i + extra >= utf8.size()) return false;
    for (size_t k = 1; k <= extra; k++) {
      unsigned char next = (unsigned char)utf8[i + k];
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    // Overlong forms (two-byte ones are refused by their lead byte),
    // surrogates and code points past U+10FFFF are not valid UTF-8.
    if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    char byte = 0;
    if (!CodePointToWindows1252(cp, &byte)) return false;
    result.push_back(byte);
    i += extra + 1;
  }
  *out = result;
  return true;
}

std::string Windows1252ToUtf8(const std::string &ansi) {
  std::string result;
  for (char c : ansi) {
    unsigned char byte = (unsigned char)c;
    uint32_t cp = byte;
    if (byte >= 0x80 && byte <= 0x9F) {
      cp = kHighControls[byte - 0x80];
      if (cp == 0) cp = 0xFFFD;
    }
    AppendUtf8(cp, &result);
  }
  return result;
}

bool IsSafeEntryName(const std::string &name) {
  if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
  size_t start = 0;
  while (true) {
    size_t end = name.find_first_of("\\/", start);
    std::string component = name.substr(start, end == std::string::npos ? std::string::npos
                                                                       : end - start);
    if (component.empty() || component == "." || component == "..") return false;
    for (char c : component) {
      if ((unsigned char)c < 32 || c == 0x7F || c == ':') return false;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return true;
}

std::string PrintableEntryName(const std::string &ansi) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string result;
  for (char c : ansi) {
    unsigned char byte = (unsigned char)c;
    bool undefined = byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] == 0;
    if (byte < 0x20 || byte == 0x7F || byte == '<' || undefined) {
      result += '<';
      result += kHex[byte >> 4];
      result += kHex[byte & 15];
      result += '>';
    } else {
      result += Windows1252ToUtf8(std::string(1, c));
    }
  }
  return result;
}
