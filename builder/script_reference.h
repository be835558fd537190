// "qvsbuild reference": docs/script-reference.md, written from the script
// schema (script/script_schema.h) and the built-in English language file,
// so the reference cannot drift from what the installer reads.
#ifndef QVS_BUILDER_SCRIPT_REFERENCE_H
#define QVS_BUILDER_SCRIPT_REFERENCE_H

#include <stdio.h>

#include <string>

// The whole reference as Markdown.
std::string ScriptReferenceText();

// Writes it to `out`; 0 on success, 1 when it could not be written.
int RunReference(FILE *out);

#endif
