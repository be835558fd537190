// Splits one driver command into words. Words are separated by spaces or
// tabs; a word in double quotes may hold spaces, and "" inside quotes stands
// for one double quote. Backslashes are plain characters (Windows paths).
#ifndef QVS_TESTS_E2E_COMMAND_TOKENS_H
#define QVS_TESTS_E2E_COMMAND_TOKENS_H

#include <string>
#include <vector>

// Returns false with *error set when a quote is left open.
bool SplitCommand(const std::string &line, std::vector<std::string> *words, std::string *error);

// Reads a script file: one command per line, blank lines and lines whose
// first non-blank character is "#" skipped. Returns false when the file
// cannot be read.
bool ReadScriptLines(const std::string &path, std::vector<std::string> *lines,
                     std::vector<int> *lineNumbers);

#endif
