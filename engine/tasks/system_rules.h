// The portable rules of the system-integration tasks: the registry type of
// an environment variable, the AUTOEXEC.BAT line of the 9x family, a
// font's registry title, and how an earlier registry value is kept as text
// so that undoing a task restores it.
#ifndef QVS_ENGINE_TASKS_SYSTEM_RULES_H
#define QVS_ENGINE_TASKS_SYSTEM_RULES_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// What a task found before it changed something, for the done record:
// `type` is the registry type code (REG_SZ 1, REG_EXPAND_SZ 2, REG_DWORD 4,
// ...) or, for INI entries, 1 for a value's text and 0 for a group;
// `data` the earlier data as text.
struct PreviousValue {
  bool present = false;
  int32_t type = 0;
  std::string data;
};

// A task says what it is about to change, with what it found there, right
// before it changes anything: a false answer means the change must not be
// made (the journal could not note it). Null: nobody needs to know.
struct ChangeAhead {
  bool (*before)(const PreviousValue &found, void *context) = nullptr;
  void *context = nullptr;
};
// True when the change may go ahead: no one asks, or the answer is yes.
bool AllowsChange(const ChangeAhead *ahead, const PreviousValue &found);

// True when `text` holds a %NAME% reference: a "%", at least one other
// character, and a closing "%" ("100%" holds none).
bool HasPercentReference(const std::string &text);

// The registry type an environment variable is written with: REG_EXPAND_SZ
// (2) when the variable was REG_EXPAND_SZ before or the new value refers
// to another variable, so that references such as %SystemRoot% in PATH
// keep expanding; else REG_SZ (1).
int32_t EnvironmentValueType(bool existingIsExpandString, const std::string &value);

// AUTOEXEC.BAT after the task: each line of `existing` (lines end at CR LF,
// LF or CR) followed by CR LF, then "SET " + name + "=" + value, both
// trimmed of blanks, with no line end. Earlier SET lines of the variable
// stay; the new one comes last and wins.
std::string AppendAutoexecSet(const std::string &existing, const std::string &name,
                              const std::string &value);

// The title a font is registered under: its file name with every "." +
// extension removed, letter case ignored (Sans.ttf gives Sans, a.ttf.ttf
// gives a).
std::string FontTitle(const std::string &fontPath);

// Registry data of type `type` (the registry's type code) as a done record
// keeps it: strings as written (not expanded) without their terminator, a
// DWORD in signed decimal, everything else as its raw bytes (the data
// file writes those in hexadecimal).
std::string PreviousRegistryText(uint32_t type, const uint8_t *data, size_t size);

// True when `names` holds `name`, compared ignoring ASCII letter case and
// blanks at either end (as INI files compare group and key names).
bool IniNameListed(const std::vector<std::string> &names, const std::string &name);

#endif
