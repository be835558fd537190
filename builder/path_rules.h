// Checks on the names the builder stores and the names it extracts. Pure
// functions, no file-system access, so the rules are the same whatever the
// host and can be tested on their own.
//
// Entry names use "\" between folders. The installer creates each product
// file below an install folder, so a stored name must be a plain relative
// Windows path: no drive, no root, no "." or ".." step, and every component
// a name that Windows can hold.
#ifndef QVS_BUILDER_PATH_RULES_H
#define QVS_BUILDER_PATH_RULES_H

#include <stdint.h>

#include <string>

#include "format/payload_limits.h"

// Longest path below the component folder that the builder accepts, in
// bytes, and the longest folder part of it: what the unpacker module can
// still write below an install folder of kInstallFolderAllowance characters
// (format/payload_limits.h).
static const size_t kMaxRelativePathLength = kMaxProductPathLength;
static const size_t kMaxRelativeFolderLength = kMaxProductFolderLength;
// Longest single component (NTFS and FAT both stop at 255).
static const size_t kMaxComponentLength = 255;

// Why `component` (one file or folder name, single-byte Windows text) cannot
// be created on Windows, or null when it can. Refuses: empty names, "." and
// "..", control characters, any of <>:"/\|?*, a trailing space or dot, names
// longer than kMaxComponentLength, and the reserved device names (CON, PRN,
// AUX, NUL, COM0-9, LPT0-9 and the superscript ¹²³ forms, CLOCK$), alone or
// followed by an extension, in any letter case.
const char *WindowsNameProblem(const std::string &component);

// True when `component` is a reserved device name in the sense above.
bool IsReservedDeviceName(const std::string &component);

// Why `path` ("\"-separated, relative to the install folder) may not be
// stored, or null: empty, rooted ("\" or "/" first), a drive ("C:"), an
// empty, "." or ".." component, a component WindowsNameProblem refuses,
// longer than kMaxRelativePathLength bytes, or a folder part longer than
// kMaxRelativeFolderLength bytes.
const char *RelativePathProblem(const std::string &path);

// Letter case folded the way Windows compares file names, closely enough to
// catch two names that would overwrite each other (ASCII and the
// Windows-1252 Latin letters).
std::string FoldWindowsCase(const std::string &ansi);

// A component folder name: canonical decimal 0..2147483647 (no sign, no
// leading zero, no spaces). Sets *id and returns true when it is one.
bool ParseComponentFolder(const std::string &name, uint32_t *id);

// A License or Information text's file name: "Default.<ext>" (exactly that
// case) or "<LangID>.<ext>" with a canonical decimal LangID, one dot.
// Anything else would reach the installer as language 0 (a lower-case
// "default.txt", for example).
bool IsLanguageTextName(const std::string &name);

// A language file's name: a Windows name ending in ".lng" (any case) with
// something before it.
bool IsLanguageFileName(const std::string &name);

// Converts a UTF-8 file name to the Windows-1252 (Western) code page that
// the installer's ANSI calls use. Returns false when `utf8` is not valid
// UTF-8 (overlong forms, surrogates and stray bytes included) or holds a
// character that code page cannot represent.
bool Utf8ToWindows1252(const std::string &utf8, std::string *out);
// The reverse, for extraction: every Windows-1252 byte becomes UTF-8; the
// five bytes the code page leaves undefined come out as U+FFFD.
std::string Windows1252ToUtf8(const std::string &ansi);

// True when an archive entry name read from a file is safe to extract below
// a folder: non-empty, not rooted, no drive or stream (":"), no control
// character (DEL included), no empty, "." or ".." component, splitting at
// both "\" and "/".
bool IsSafeEntryName(const std::string &name);

// An entry name (Windows-1252) as UTF-8 that is safe to print on a terminal:
// control characters (0x00-0x1F, 0x7F), the five bytes Windows-1252 leaves
// undefined and "<" itself are shown as "<XX>" (two hex digits), so a name
// can neither send escape sequences nor pass for another name.
std::string PrintableEntryName(const std::string &ansi);

#endif
