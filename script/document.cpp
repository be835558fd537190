#include "script/document.h"

#include <vector>

#include "script/ansi_text.h"
#include "script/document_lines.h"

// Memory and time stay proportional to the text: the names and values live
// in one character store, an entry is six numbers, and two hash tables find
// a group by name and the first entry of a (group, key) pair, so that every
// read costs the length of its names, not the length of the document.
namespace {

const uint32_t kNone = 0xFFFFFFFFu;
// Offsets and indexes are 32-bit; a text that would pass this is cut short.
const size_t kMaxStoreSize = 0x7FFFFFF0u;

struct StoredEntry {
  uint32_t group;  // index into the groups
  uint32_t nextInGroup;  // the group's next entry in text order, kNone after the last
  uint32_t keyStart;  // key and value as written (trimmed) in the characters
  uint32_t keyLength;
  uint32_t valueStart;
  uint32_t valueLength;
};

// A group name in compare form, held once however many group lines name it.
struct StoredGroup {
  uint32_t nameStart;
  uint32_t nameLength;
  uint32_t firstEntry;
  uint32_t lastEntry;
};

// Open addressing with linear probing over indexes; the capacity is a power
// of two and at most three quarters full, so a probe always ends.
struct IndexTable {
  std::vector<uint32_t> slots;
  size_t count = 0;
};

struct DocumentStore {
  std::string chars;
  std::vector<StoredEntry> entries;
  std::vector<StoredGroup> groups;
  IndexTable groupsByName;
  IndexTable firstEntries;  // the first entry of each (group, key)
  std::vector<uint32_t> selection;  // entry indexes
  // Index into the selection of the current entry; -1 before the first.
  long cursor = -1;
  std::string selectedKey;
  std::string selectedValue;
};

DocumentReadObserver gReadObserver = nullptr;

DocumentStore &Store() {
  static DocumentStore store;
  return store;
}

const uint32_t kHashStart = 2166136261u;
const uint32_t kHashFactor = 16777619u;

// FNV-1a over the compare form of the bytes.
uint32_t HashName(uint32_t hash, const char *text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    hash = (hash ^ AnsiLowerChar(static_cast<unsigned char>(text[i]))) * kHashFactor;
  }
  return hash;
}

uint32_t EntryHash(uint32_t group, const char *key, size_t length) {
  uint32_t hash = kHashStart;
  for (int shift = 0; shift < 32; shift += 8) {
    hash = (hash ^ ((group >> shift) & 0xFF)) * kHashFactor;
  }
  return HashName(hash, key, length);
}

bool SameName(const char *a, size_t aLength, const char *b, size_t bLength) {
  if (aLength != bLength) return false;
  for (size_t i = 0; i < aLength; ++i) {
    if (AnsiLowerChar(static_cast<unsigned char>(a[i])) !=
        AnsiLowerChar(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

uint32_t GroupHashOf(const DocumentStore &store, uint32_t group) {
  const StoredGroup &stored = store.groups[group];
  return HashName(kHashStart, store.chars.data() + stored.nameStart, stored.nameLength);
}

uint32_t EntryHashOf(const DocumentStore &store, uint32_t entry) {
  const StoredEntry &stored = store.entries[entry];
  return EntryHash(stored.group, store.chars.data() + stored.keyStart, stored.keyLength);
}

// The first slot to probe: FNV's low bits alone cluster badly for names
// that differ in one character, so all bits are mixed in first.
size_t FirstSlot(uint32_t hash, size_t mask) {
  hash ^= hash >> 16;
  hash *= 0x85EBCA6Bu;
  hash ^= hash >> 13;
  hash *= 0xC2B2AE35u;
  hash ^= hash >> 16;
  return hash & mask;
}

// The index in `table` that `matches`, or kNone.
template <class Matches>
uint32_t FindIndex(const IndexTable &table, uint32_t hash, Matches matches) {
  if (table.slots.empty()) return kNone;
  const size_t mask = table.slots.size() - 1;
  for (size_t slot = FirstSlot(hash, mask);; slot = (slot + 1) & mask) {
    const uint32_t index = table.slots[slot];
    if (index == kNone || matches(index)) return index;
  }
}

void PlaceIndex(IndexTable *table, uint32_t index, uint32_t hash) {
  const size_t mask = table->slots.size() - 1;
  size_t slot = FirstSlot(hash, mask);
  while (table->slots[slot] != kNone) slot = (slot + 1) & mask;
  table->slots[slot] = index;
  ++table->count;
}

// Adds `index` (known to be absent), growing the table first when needed.
template <class HashOf>
void AddIndex(IndexTable *table, uint32_t index, uint32_t hash, HashOf hashOf) {
  if ((table->count + 1) * 4 > table->slots.size() * 3) {
    std::vector<uint32_t> old;
    old.swap(table->slots);
    table->slots.assign(old.empty() ? 16 : old.size() * 2, kNone);
    table->count = 0;
    for (uint32_t kept : old) {
      if (kept != kNone) PlaceIndex(table, kept, hashOf(kept));
    }
  }
  PlaceIndex(table, index, hash);
}

uint32_t FindGroup(const DocumentStore &store, const std::string &name) {
  return FindIndex(store.groupsByName, HashName(kHashStart, name.data(), name.size()),
                   [&](uint32_t group) {
                     const StoredGroup &stored = store.groups[group];
                     return SameName(store.chars.data() + stored.nameStart, stored.nameLength,
                                     name.data(), name.size());
                   });
}

// The group of compare-form `name`, added when it is new.
uint32_t GroupFor(DocumentStore *store, const std::string &name) {
  uint32_t group = FindGroup(*store, name);
  if (group != kNone) return group;
  StoredGroup stored;
  stored.nameStart = static_cast<uint32_t>(store->chars.size());
  stored.nameLength = static_cast<uint32_t>(name.size());
  stored.firstEntry = kNone;
  stored.lastEntry = kNone;
  store->chars.append(name);
  group = static_cast<uint32_t>(store->groups.size());
  store->groups.push_back(stored);
  AddIndex(&store->groupsByName, group, GroupHashOf(*store, group),
           [store](uint32_t kept) { return GroupHashOf(*store, kept); });
  return group;
}

uint32_t FindEntry(const DocumentStore &store, uint32_t group, const char *key, size_t length) {
  return FindIndex(store.firstEntries, EntryHash(group, key, length), [&](uint32_t entry) {
    const StoredEntry &stored = store.entries[entry];
    return stored.group == group &&
           SameName(store.chars.data() + stored.keyStart, stored.keyLength, key, length);
  });
}

// Offset of the trimmed `text[begin, end)` once appended to the characters.
uint32_t AppendTrimmed(DocumentStore *store, const std::string &text, size_t begin, size_t end,
                       uint32_t *length) {
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  const uint32_t start = static_cast<uint32_t>(store->chars.size());
  store->chars.append(text, begin, end - begin);
  *length = static_cast<uint32_t>(end - begin);
  return start;
}

void AddEntry(DocumentStore *store, uint32_t group, const std::string &line) {
  StoredEntry stored;
  stored.group = group;
  stored.nextInGroup = kNone;
  const size_t equals = line.find('=');
  if (equals == std::string::npos) {
    stored.keyStart = static_cast<uint32_t>(store->chars.size());
    stored.keyLength = 0;
    stored.valueStart = AppendTrimmed(store, line, 0, line.size(), &stored.valueLength);
  } else {
    stored.keyStart = AppendTrimmed(store, line, 0, equals, &stored.keyLength);
    stored.valueStart = AppendTrimmed(store, line, equals + 1, line.size(), &stored.valueLength);
  }
  const uint32_t entry = static_cast<uint32_t>(store->entries.size());
  store->entries.push_back(stored);
  StoredGroup &owner = store->groups[group];
  if (owner.lastEntry == kNone) {
    owner.firstEntry = entry;
  } else {
    store->entries[owner.lastEntry].nextInGroup = entry;
  }
  owner.lastEntry = entry;
  if (FindEntry(*store, group, store->chars.data() + stored.keyStart, stored.keyLength) == kNone) {
    AddIndex(&store->firstEntries, entry, EntryHashOf(*store, entry),
             [store](uint32_t kept) { return EntryHashOf(*store, kept); });
  }
}

// Lines that may hold an entry (neither blank nor comments): at least the
// number of entries the text gives.
size_t CountContentLines(const std::string &text) {
  size_t count = 0;
  bool lineStart = true;
  for (char c : text) {
    if (c == '\r') {
      lineStart = true;
    } else if (lineStart && c != ' ' && c != '\n') {
      count += c != ';';
      lineStart = false;
    }
  }
  return count;
}

int ClampCount(size_t count) {
  const size_t most = 0x7FFFFFFF;
  return static_cast<int>(count < most ? count : most);
}

std::string Slice(const DocumentStore &store, uint32_t start, uint32_t length) {
  return store.chars.substr(start, length);
}

}  // namespace

int ParseDocument(const std::string &text) {
  if (text.empty()) {
    return 0;
  }
  DocumentStore &store = Store();
  // Reserving once keeps the lists at the size they need instead of up to
  // twice that.
  if (store.chars.size() + text.size() <= kMaxStoreSize) {
    store.chars.reserve(store.chars.size() + text.size());
    store.entries.reserve(store.entries.size() + CountContentLines(text));
  }
  std::string groupName;  // compare form; entries before a group line have the empty one
  uint32_t group = kNone;  // found when its first entry comes
  std::string line;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find('\r', begin);
    if (end == std::string::npos) {
      end = text.size();
    }
    CleanDocumentLine(text, begin, end, &line);
    begin = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (store.chars.size() + 2 * line.size() > kMaxStoreSize || store.entries.size() >= kNone - 1)
      break;
    if (IsGroupLine(line)) {
      groupName = NormalizeName(line.substr(1, line.size() - 2));
      group = kNone;
      continue;
    }
    if (group == kNone) group = GroupFor(&store, groupName);
    AddEntry(&store, group, line);
  }
  return ClampCount(store.entries.size());
}

void SetDocumentReadObserver(DocumentReadObserver observer) { gReadObserver = observer; }

std::string ReadScriptValue(const std::string &group, const std::string &key) {
  if (gReadObserver) gReadObserver(group, key);
  const DocumentStore &store = Store();
  const uint32_t found = FindGroup(store, NormalizeName(group));
  const std::string name = NormalizeName(key);
  const uint32_t entry = found == kNone ? kNone : FindEntry(store, found, name.data(), name.size());
  if (entry == kNone) return std::string();
  return Slice(store, store.entries[entry].valueStart, store.entries[entry].valueLength);
}

int64_t ReadScriptInteger(const std::string &group, const std::string &key) {
  return ParseScriptInteger(ReadScriptValue(group, key));
}

int SelectGroup(const std::string &group) {
  if (gReadObserver) gReadObserver(group, std::string());
  DocumentStore &store = Store();
  const uint32_t found = FindGroup(store, NormalizeName(group));
  if (found != kNone) {
    for (uint32_t entry = store.groups[found].firstEntry; entry != kNone;
         entry = store.entries[entry].nextInGroup) {
      store.selection.push_back(entry);
    }
  }
  return ClampCount(store.selection.size());
}

bool NextSelected() {
  DocumentStore &store = Store();
  const long next = store.cursor + 1;
  if (next >= static_cast<long>(store.selection.size())) {
    store.cursor = -1;
    store.selectedKey.clear();
    store.selectedValue.clear();
    return false;
  }
  store.cursor = next;
  const StoredEntry &entry = store.entries[store.selection[static_cast<size_t>(next)]];
  store.selectedKey = Slice(store, entry.keyStart, entry.keyLength);
  store.selectedValue = Slice(store, entry.valueStart, entry.valueLength);
  return true;
}

const std::string &SelectedKey() { return Store().selectedKey; }

const std::string &SelectedValue() { return Store().selectedValue; }

void ClearDocument() {
  // The selection names entries of the document: it goes with them. swap
  // releases the memory, which clear() would keep.
  ClearSelection();
  DocumentStore &store = Store();
  std::string().swap(store.chars);
  std::vector<StoredEntry>().swap(store.entries);
  std::vector<StoredGroup>().swap(store.groups);
  std::vector<uint32_t>().swap(store.groupsByName.slots);
  store.groupsByName.count = 0;
  std::vector<uint32_t>().swap(store.firstEntries.slots);
  store.firstEntries.count = 0;
}

void ClearSelection() {
  DocumentStore &store = Store();
  std::vector<uint32_t>().swap(store.selection);
  store.cursor = -1;
  store.selectedKey.clear();
  store.selectedValue.clear();
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
