// The lines of a document (the installer script or a language file) as the
// parser reads them, each with its line number, for tools that must say
// where something stands (the builder's checks).
//
// The rules are ParseDocument's, and it uses the same functions: lines end
// at carriage returns (line feeds are dropped wherever they stand, so a
// line number is the count of carriage returns before it, plus one); each
// line is trimmed of spaces; blank lines and lines starting with ";" are
// skipped; "[name]" opens a group; any other line is an entry whose key is
// the text before the first "=" and whose value is the rest, both trimmed
// (a line without "=" is an entry with an empty key and the whole line as
// its value).
#ifndef QVS_SCRIPT_DOCUMENT_LINES_H
#define QVS_SCRIPT_DOCUMENT_LINES_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

enum DocumentLineKind { kDocumentGroupLine, kDocumentEntryLine };

struct DocumentLine {
  DocumentLineKind kind = kDocumentEntryLine;
  uint32_t number = 0;
  // A group line: the text between the brackets, as written. An entry: the
  // key, trimmed.
  std::string name;
  std::string value;
  bool hasEquals = false;
};

// Every group and entry line of `text`, in text order.
std::vector<DocumentLine> ReadDocumentLines(const std::string &text);

// The same lines handed to `visit` one at a time (the line may be moved
// from), for large texts.
template <class Visit>
void ForEachDocumentLine(const std::string &text, Visit visit);

// `text[begin, end)` with every carriage return and line feed removed, then
// trimmed of spaces, into *line.
void CleanDocumentLine(const std::string &text, size_t begin, size_t end, std::string *line);

// True for a cleaned line that opens a group: "[" first and "]" last.
bool IsGroupLine(const std::string &line);

// Reads the line of `text` that starts at *begin into *read (false for a
// blank or comment line) and moves *begin past it; *number counts lines.
bool ReadNextDocumentLine(const std::string &text, size_t *begin, uint32_t *number,
                          std::string *scratch, DocumentLine *read);

template <class Visit>
void ForEachDocumentLine(const std::string &text, Visit visit) {
  std::string scratch;
  uint32_t number = 0;
  DocumentLine read;
  for (size_t begin = 0; begin <= text.size();) {
    if (ReadNextDocumentLine(text, &begin, &number, &scratch, &read)) visit(read);
  }
}

#endif
