// Required existing items: programs the installer script expects on the
// machine, proven by files (optionally of an exact version), registry keys
// and registry values.
#ifndef QVS_CHECKS_REQUIRED_ITEMS_H
#define QVS_CHECKS_REQUIRED_ITEMS_H

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "checks/check_environment.h"
#include "script/script_settings.h"

// A file version's four 16-bit parts from its two DWORDs, "a.b.c.d".
std::string FormatFileVersion(uint32_t mostSignificant, uint32_t leastSignificant);

// The required version of a file as text: MajorHi.MajorLow.MinorHi.MinorLow.
std::string RequiredVersionText(const RequiredFile &file);

// True when the version text's first four "."-separated fields, read as
// numbers (a missing or empty field is 0), equal MajorHi, MajorLow, MinorHi
// and MinorLow. The empty text therefore matches only 0.0.0.0.
bool FileVersionMatches(const RequiredFile &file, const std::string &versionText);

// The start of a PE image: `size` must be at least 64 bytes beginning with
// "MZ". On success `*peOffset` is the offset of the PE signature (the
// little-endian 32-bit field at byte 60).
bool ReadImageHeaderOffset(const uint8_t *header, size_t size, uint32_t *peOffset);
// True when the 4 bytes read at that offset are "PE\0\0".
bool IsImageSignature(const uint8_t *bytes, size_t size);

// Examines every item that applies on the system env.osCode and env.os act
// as (a Windows 10 workstation by its Win7 switch), in script order. The
// first item with anything missing is reported in one message (caption
// string 21, text string 22 listing the misses with strings 17 to 20,
// exclamation icon) and ends the installer. When every item is complete
// the required items are released from `settings`. Uses osCode, os,
// showMessage, fileExists, fileVersionText, registryKeyExists,
// registryValueExists.
CheckResult CheckRequiredItems(ScriptSettings *settings, const CheckEnvironment &env);

#endif
