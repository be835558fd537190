// What the builder reads from the texts it packs: the [Builder] group of the
// installer script, and whether a text's line breaks will survive the
// installer's parser, which splits lines at carriage returns only.
#ifndef QVS_BUILDER_SCRIPT_CHECKS_H
#define QVS_BUILDER_SCRIPT_CHECKS_H

#include <string>

// Value of `key` in the group `group` of a document text, read as the
// installer reads documents (lines split at CR, names compared ignoring case
// and surrounding spaces, first match wins). Empty when missing.
std::string ReadScriptGroupValue(const std::string &text, const std::string &group,
                                 const std::string &key);
// The same in the [Builder] group.
std::string ReadBuilderValue(const std::string &text, const std::string &key);

// True when [UninstallerSettings] CreateUninstaller reads as the integer 1.
bool ScriptCreatesUninstaller(const std::string &text);

// True when [Builder] RequireAdministrator reads as the integer 1.
bool ScriptRequiresAdministrator(const std::string &text);

// Why the installer would misread a script or language file, or empty when
// it reads as written: a line feed without a carriage return before it (the
// installer splits lines at CR only and drops LF, so two lines would become
// one) or a zero byte (the installer's text ends there).
std::string DocumentTextProblem(const std::string &text);

#endif
