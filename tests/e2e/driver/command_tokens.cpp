#include "tests/e2e/driver/command_tokens.h"

#include <stdio.h>

bool SplitCommand(const std::string &line, std::vector<std::string> *words, std::string *error) {
  words->clear();
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) i++;
    if (i >= n) break;
    std::string word;
    if (line[i] == '"') {
      i++;
      bool closed = false;
      while (i < n) {
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            word += '"';
            i += 2;
            continue;
          }
          closed = true;
          i++;
          break;
        }
        word += line[i++];
      }
      if (!closed) {
        *error = "unterminated quote";
        return false;
      }
    } else {
      while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n')
        word += line[i++];
    }
    words->push_back(word);
  }
  return true;
}

bool ReadScriptLines(const std::string &path, std::vector<std::string> *lines,
                     std::vector<int> *lineNumbers) {
  FILE *file = fopen(path.c_str(), "rb");
  if (file == NULL) return false;
  std::string text;
  char buffer[4096];
  size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  fclose(file);

  int number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    number++;
    size_t first = line.find_first_not_of(" \t\r");
    if (first != std::string::npos && line[first] != '#') {
      lines->push_back(line);
      lineNumbers->push_back(number);
    }
    start = end + 1;
  }
  return true;
}
