// The document store shared by the installer script and the language files.
//
// A document is text split into lines at carriage returns; "[name]" opens a
// group, "key = value" is an entry, ";" starts a comment line. Parsing
// appends to one process-wide list of entries (duplicates kept, text order);
// lookups compare group and key names ignoring letter case and surrounding
// spaces, and the first match wins. A second list, the selection, holds the
// entries of selected groups for iteration.
//
// Memory is proportional to the texts parsed (about their size plus a few
// dozen bytes per entry), and every lookup costs the length of the names
// looked up, whatever the size of the store.
//
// Not thread-safe: the main thread parses and reads; workers never do.
#ifndef QVS_SCRIPT_DOCUMENT_H
#define QVS_SCRIPT_DOCUMENT_H

#include <stdint.h>

#include <string>

// Appends the entries of `text` to the store. Returns 0 at once for an empty
// text, else the number of entries the store then holds.
int ParseDocument(const std::string &text);

// Value of the first entry whose group and key match; empty when none does.
std::string ReadScriptValue(const std::string &group, const std::string &key);
// The same value converted with ParseScriptInteger (0 when missing).
int64_t ReadScriptInteger(const std::string &group, const std::string &key);

// Appends every entry of the matching group to the selection (which is not
// cleared first) and returns the selection's size.
int SelectGroup(const std::string &group);
// Moves to the next selected entry; false after the last one, and the cursor
// then starts again from the first.
bool NextSelected();
// The current selected entry's key and value; empty before the first and
// after the last. Valid until the next NextSelected or Clear call.
const std::string &SelectedKey();
const std::string &SelectedValue();

// Tells `observer` (null: nobody) the group and key names of every
// ReadScriptValue call, and the group name of every SelectGroup call (with
// an empty key), as the caller gave them. For the test that the script
// reference and the script reader name the same keys.
typedef void (*DocumentReadObserver)(const std::string &group, const std::string &key);
void SetDocumentReadObserver(DocumentReadObserver observer);

// Empties the store; the selection, which names its entries, goes too.
void ClearDocument();
void ClearSelection();

// Integer conversion of script values: leading spaces and tabs skipped, an
// optional sign, then "$" hexadecimal, "%" binary or decimal digits, up to
// the first other character; no digits give 0. Callers that store the
// result in a 32-bit field keep its low 32 bits.
int64_t ParseScriptInteger(const std::string &text);

// Lower-cases (ASCII and ANSI letters as CharLowerA does for the Western
// code page) and trims spaces from both ends: the form names compare in.
std::string NormalizeName(const std::string &name);

#endif
