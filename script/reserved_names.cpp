#include "script/reserved_names.h"

#include "script/document.h"

std::vector<std::string> BuildReservedNames() {
  std::vector<std::string> names = {"con", "prn", "aux", "clock$", "nul"};
  for (char digit = '0'; digit <= '9'; ++digit) {
    names.push_back(std::string("com") + digit);
    names.push_back(std::string("lpt") + digit);
  }
  static const char *const kMetadata[] = {"$mft",    "$mftmirr", "$logfile", "$volume", "$attrdef",
                                          "$bitmap", "$boot",    "$badclus", "$secure", "$upcase",
                                          "$extend", "$quota",   "$objid",   "$reparse"};
  for (const char *name : kMetadata) {
    names.push_back(name);
  }
  // Windows takes the superscript digits one to three (Windows-1252 0xB9,
  // 0xB2, 0xB3) as device numbers too: "COM\xB9" opens the first serial port.
  static const char kSuperscripts[] = {'\xB9', '\xB2', '\xB3'};
  for (char digit : kSuperscripts) {
    names.push_back(std::string("com") + digit);
    names.push_back(std::string("lpt") + digit);
  }
  return names;
}

bool IsReservedName(const std::vector<std::string> &names, const std::string &name) {
  const std::string lowered = NormalizeName(name);
  for (const std::string &reserved : names) {
    if (reserved == lowered) {
      return true;
    }
  }
  return false;
}
