#include "engine/state/install_log.h"

#include "engine/install/remaining_time.h"

std::string FormatLogLine(int64_t seconds, const std::string &text) {
  std::string line = FormatLocalDate(seconds, "%yyyy-%mm-%dd %hh:%ii:%ss") + " ";
  // One step, one line: a text's own line breaks would split it.
  for (char c : text) line += (c == '\r' || c == '\n') ? ' ' : c;
  return line + "\r\n";
}

std::string QuotedForLog(const std::string &text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"')
      quoted += "\"\"";
    else
      quoted += (unsigned char)c < 32 ? '?' : c;
  }
  return quoted + "\"";
}
