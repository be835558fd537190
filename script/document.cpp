#include "script/document.h"

#include <vector>

#include "script/ansi_text.h"

namespace {

// An entry with its names already in compare form, so that the many
// lookups of one installation do not lower-case the same names again.
struct StoredEntry {
  ScriptEntry entry;
  std::string groupName;
  std::string keyName;
};

struct DocumentStore {
  std::vector<StoredEntry> entries;
  std::vector<ScriptEntry> selection;
  // Index of the current selected entry; -1 before the first.
  long cursor = -1;
};

DocumentStore &Store() {
  static DocumentStore store;
  return store;
}

const std::string &EmptyText() {
  static const std::string empty;
  return empty;
}

// One line of the text: CR and LF removed wherever they stand, then trimmed.
std::string CleanLine(const std::string &text, size_t begin, size_t end) {
  std::string line;
  line.reserve(end - begin);
  for (size_t i = begin; i < end; ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line.push_back(text[i]);
    }
  }
  return TrimSpaces(line);
}

void AddLine(const std::string &line, std::string *group) {
  if (line.empty() || line[0] == ';') {
    return;
  }
  if (line.size() >= 2 && line[0] == '[' && line[line.size() - 1] == ']') {
    *group = line.substr(1, line.size() - 2);
    return;
  }
  StoredEntry stored;
  stored.entry.group = *group;
  size_t equals = line.find('=');
  if (equals == std::string::npos) {
    stored.entry.value = line;
  } else {
    stored.entry.key = TrimSpaces(line.substr(0, equals));
    stored.entry.value = TrimSpaces(line.substr(equals + 1));
  }
  stored.groupName = NormalizeName(stored.entry.group);
  stored.keyName = NormalizeName(stored.entry.key);
  Store().entries.push_back(stored);
}

const StoredEntry *FindEntry(const std::string &group, const std::string &key) {
  const std::string groupName = NormalizeName(group);
  const std::string keyName = NormalizeName(key);
  for (const StoredEntry &stored : Store().entries) {
    if (stored.groupName == groupName && stored.keyName == keyName) {
      return &stored;
    }
  }
  return nullptr;
}

int ClampCount(size_t count) {
  const size_t most = 0x7FFFFFFF;
  return static_cast<int>(count < most ? count : most);
}

}  // namespace

int ParseDocument(const std::string &text) {
  if (text.empty()) {
    return 0;
  }
  std::string group;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find('\r', begin);
    if (end == std::string::npos) {
      end = text.size();
    }
    AddLine(CleanLine(text, begin, end), &group);
    begin = end + 1;
  }
  return ClampCount(Store().entries.size());
}

std::string ReadScriptValue(const std::string &group, const std::string &key) {
  const StoredEntry *stored = FindEntry(group, key);
  return stored ? stored->entry.value : std::string();
}

int64_t ReadScriptInteger(const std::string &group, const std::string &key) {
  const StoredEntry *stored = FindEntry(group, key);
  return stored ? ParseScriptInteger(stored->entry.value) : 0;
}

int SelectGroup(const std::string &group) {
  DocumentStore &store = Store();
  const std::string groupName = NormalizeName(group);
  for (const StoredEntry &stored : store.entries) {
    if (stored.groupName == groupName) {
      store.selection.push_back(stored.entry);
    }
  }
  return ClampCount(store.selection.size());
}

bool NextSelected() {
  DocumentStore &store = Store();
  const long next = store.cursor + 1;
  if (next >= static_cast<long>(store.selection.size())) {
    store.cursor = -1;
    return false;
  }
  store.cursor = next;
  return true;
}

const std::string &SelectedKey() {
  const DocumentStore &store = Store();
  if (store.cursor < 0 || store.cursor >= static_cast<long>(store.selection.size())) {
    return EmptyText();
  }
  return store.selection[static_cast<size_t>(store.cursor)].key;
}

const std::string &SelectedValue() {
  const DocumentStore &store = Store();
  if (store.cursor < 0 || store.cursor >= static_cast<long>(store.selection.size())) {
    return EmptyText();
  }
  return store.selection[static_cast<size_t>(store.cursor)].value;
}

void ClearDocument() {
  // swap releases the memory, which clear() would keep.
  std::vector<StoredEntry>().swap(Store().entries);
}

void ClearSelection() {
  DocumentStore &store = Store();
  std::vector<ScriptEntry>().swap(store.selection);
  store.cursor = -1;
}

int64_t ParseScriptInteger(const std::string &text) {
  size_t i = 0;
  const size_t size = text.size();
  while (i < size && (text[i] == ' ' || text[i] == '\t')) {
    ++i;
  }
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  unsigned base = 10;
  if (i < size && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < size && text[i] == '%') {
    base = 2;
    ++i;
  }
  // Unsigned arithmetic: an over-long number wraps instead of overflowing.
  uint64_t value = 0;
  for (; i < size; ++i) {
    const char c = text[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      break;
    }
    if (digit >= base) {
      break;
    }
    value = value * base + digit;
  }
  if (negative) {
    value = ~value + 1;
  }
  return static_cast<int64_t>(value);
}

std::string NormalizeName(const std::string &name) { return AnsiLower(TrimSpaces(name)); }
