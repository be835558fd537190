#include "script/document_lines.h"

#include "script/ansi_text.h"

namespace {

// `text[begin, end)` trimmed of spaces.
std::string Trimmed(const std::string &text, size_t begin, size_t end) {
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  return text.substr(begin, end - begin);
}

}  // namespace

void CleanDocumentLine(const std::string &text, size_t begin, size_t end, std::string *line) {
  line->clear();
  for (size_t i = begin; i < end; ++i) {
    if (text[i] != '\r' && text[i] != '\n') line->push_back(text[i]);
  }
  *line = TrimSpaces(*line);
}

bool IsGroupLine(const std::string &line) {
  return line.size() >= 2 && line[0] == '[' && line[line.size() - 1] == ']';
}

bool ReadNextDocumentLine(const std::string &text, size_t *begin, uint32_t *number,
                          std::string *scratch, DocumentLine *read) {
  size_t end = text.find('\r', *begin);
  if (end == std::string::npos) end = text.size();
  CleanDocumentLine(text, *begin, end, scratch);
  *begin = end + 1;
  ++*number;
  const std::string &line = *scratch;
  if (line.empty() || line[0] == ';') return false;
  read->number = *number;
  read->hasEquals = false;
  if (IsGroupLine(line)) {
    read->kind = kDocumentGroupLine;
    read->name = line.substr(1, line.size() - 2);
    read->value.clear();
    return true;
  }
  read->kind = kDocumentEntryLine;
  const size_t equals = line.find('=');
  read->hasEquals = equals != std::string::npos;
  if (read->hasEquals) {
    read->name = Trimmed(line, 0, equals);
    read->value = Trimmed(line, equals + 1, line.size());
  } else {
    read->name.clear();
    read->value = line;
  }
  return true;
}

std::vector<DocumentLine> ReadDocumentLines(const std::string &text) {
  std::vector<DocumentLine> lines;
  ForEachDocumentLine(text, [&](DocumentLine &line) { lines.push_back(std::move(line)); });
  return lines;
}
