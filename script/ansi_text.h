// Letter case and trimming for single-byte ANSI texts.
//
// Names in scripts and language files compare as the installer has always
// compared them on Windows: lower-cased by CharLowerA under the Western
// (Windows-1252) code page and trimmed of spaces. The same rules are needed
// on the host (tests, builder) where no CharLowerA exists, so they are a
// table here rather than a system call.
#ifndef QVS_SCRIPT_ANSI_TEXT_H
#define QVS_SCRIPT_ANSI_TEXT_H

#include <stddef.h>

#include <string>

// The lower-case form of one byte, as CharLowerA gives it for code page 1252.
unsigned char AnsiLowerChar(unsigned char c);

// Every byte of `text` lower-cased with AnsiLowerChar.
std::string AnsiLower(const std::string &text);

// `text` without spaces (32 only; tabs stay) at either end.
std::string TrimSpaces(const std::string &text);

// Position of the first occurrence of `needle` in `text` at or after `from`,
// letter case ignored; std::string::npos when there is none or `needle` is
// empty.
size_t FindIgnoringCase(const std::string &text, const std::string &needle, size_t from);

// `text` with every occurrence of `token` (letter case ignored) replaced by
// `value`. Inserted values are not searched again, so a value that holds the
// token itself is inserted once. An empty token leaves the text unchanged.
std::string ReplaceIgnoringCase(const std::string &text, const std::string &token,
                                const std::string &value);

#endif
