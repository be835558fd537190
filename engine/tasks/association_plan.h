// The registry keys and values of a file association, worked out without
// touching the registry: the NT family writes below HKEY_CLASSES_ROOT with
// a progID of the extension + "_auto_file"; the 9x family writes below
// HKEY_LOCAL_MACHINE\Software\Classes keyed by the program's file name.
// The verb also becomes the default of the class's "shell" key unless that
// names one already, so that opening a file (a double click) starts the
// program whatever the verb is called (a verb with blanks is stored under
// its name without them and shown by its text; see VerbKeyName).
#ifndef QVS_ENGINE_TASKS_ASSOCIATION_PLAN_H
#define QVS_ENGINE_TASKS_ASSOCIATION_PLAN_H

#include <stdint.h>

#include <string>
#include <vector>

// The texts of an association task, already path-expanded.
struct AssociationTexts {
  std::string extension;        // "txt" or ".txt"
  std::string description;      // the file type's description
  std::string programPath;
  std::string iconSpec;         // icon path, "," and index
  std::string programFileName;  // the file-name part of programPath
  std::string verb;             // as the menu shows it ("ExplorerDescription"); empty: open
  std::string commandLine;      // empty: the file in double quotes
};

// Create `key`; when that worked and `setValue` is set, write `value` as
// the default value of `valueKey`.
struct AssociationStep {
  std::string key;
  bool setValue = false;
  std::string valueKey;
  std::string value;
  // This step points the extension at the program: the association has
  // taken effect once its value is written.
  bool takesExtension = false;
  // Write the value only when `valueKey` has no default value yet (an
  // empty one counts as none): the verb becomes the class's default one
  // unless the class names one already.
  bool onlyWhenUnset = false;
};

struct AssociationPlan {
  int32_t rootCode = 0;          // root-key code every step works below
  std::string extensionKey;      // the extension's key, whose earlier default value is kept
  std::string className;         // what the extension's default value names
  std::string classKey;          // that class's key, holding its icon and verbs
  std::vector<AssociationStep> steps;
};

// The plan for the running system's `osCode`; false (an empty plan) for a
// code of neither family.
bool PlanFileAssociation(const AssociationTexts &texts, int osCode, AssociationPlan *plan);

// The name of the verb's key: `verb` without blanks and commas (which the
// shell takes for separators in the list of default verbs); `verb` itself
// when it holds neither; "open" when nothing is left.
std::string VerbKeyName(const std::string &verb);

// `text` with a double quote put in front unless it starts with one, and
// one appended unless it ends with one.
std::string QuoteEnds(const std::string &text);

// The DefaultIcon text of an association task: the icon path (the
// program when the icon is empty), "," and the index in decimal.
std::string AssociationIconSpec(const std::string &icon, int32_t iconIndex,
                                const std::string &programPath);

#endif
