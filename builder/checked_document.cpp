#include "builder/checked_document.h"

#include <algorithm>

#include "script/ansi_text.h"
#include "script/document.h"
#include "script/document_lines.h"

namespace {

// <0, 0 or >0 as `a` sorts before, with or after `b`, letter case ignored.
int CompareNames(const std::string &a, const std::string &b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; i++) {
    const unsigned char x = AnsiLowerChar((unsigned char)a[i]);
    const unsigned char y = AnsiLowerChar((unsigned char)b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Orders the keyed entries and marks the first of each key.
void IndexKeys(CheckedGroup *group) {
  std::vector<CheckedEntry> &entries = group->entries;
  for (uint32_t i = 0; i < entries.size(); i++)
    if (entries[i].hasEquals) group->byKey.push_back(i);
  std::stable_sort(group->byKey.begin(), group->byKey.end(), [&](uint32_t a, uint32_t b) {
    return CompareNames(entries[a].key, entries[b].key) < 0;
  });
  for (size_t i = 0; i < group->byKey.size(); i++) {
    entries[group->byKey[i]].first =
        i == 0 || CompareNames(entries[group->byKey[i - 1]].key, entries[group->byKey[i]].key) != 0;
  }
}

}  // namespace

const CheckedEntry *CheckedGroup::Entry(const std::string &key) const {
  const auto found = std::lower_bound(
      byKey.begin(), byKey.end(), key, [&](uint32_t entry, const std::string &wanted) {
        return CompareNames(entries[entry].key, wanted) < 0;
      });
  if (found == byKey.end() || CompareNames(entries[*found].key, key) != 0) return nullptr;
  return &entries[*found];
}

size_t CheckedDocument::Find(const std::string &name) const {
  const auto found = byName.find(NormalizeName(name));
  return found == byName.end() ? kNoGroup : found->second;
}

CheckedDocument ParseCheckedDocument(const std::string &text) {
  CheckedDocument document;
  size_t current = kNoGroup;
  std::string currentName;
  std::string currentForm;  // the unnamed group before the first group line
  uint32_t currentLine = 0;
  ForEachDocumentLine(text, [&](DocumentLine &line) {
    if (line.kind == kDocumentGroupLine) {
      currentName = line.name;
      currentForm = NormalizeName(line.name);
      currentLine = line.number;
      const auto found = document.byName.find(currentForm);
      current = found == document.byName.end() ? kNoGroup : found->second;
      if (current != kNoGroup) {
        document.groups[current].repeatLines.push_back(line.number);
        return;
      }
    } else if (current == kNoGroup) {
      currentLine = line.number;
    }
    if (current == kNoGroup) {
      current = document.groups.size();
      document.groups.emplace_back();
      CheckedGroup &group = document.groups.back();
      group.name = currentName;
      group.nameForm = currentForm;
      group.line = currentLine;
      document.byName[currentForm] = current;
    }
    if (line.kind == kDocumentGroupLine) return;
    CheckedGroup &group = document.groups[current];
    group.entries.emplace_back();
    CheckedEntry &entry = group.entries.back();
    entry.key = std::move(line.name);
    entry.value = std::move(line.value);
    entry.line = line.number;
    entry.hasEquals = line.hasEquals;
  });
  for (CheckedGroup &group : document.groups) IndexKeys(&group);
  return document;
}

bool ReadWholeInteger(const std::string &text, int64_t *value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) i++;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) i++;
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == '%')) base = text[i++] == '$' ? 16 : 2;
  const size_t digits = i;
  for (; i < text.size(); i++) {
    const char c = text[i];
    const bool ok = base == 2    ? (c == '0' || c == '1')
                    : base == 10 ? (c >= '0' && c <= '9')
                                 : ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') ||
                                    (c >= 'A' && c <= 'F'));
    if (!ok) break;
  }
  *value = ParseScriptInteger(text);
  return i > digits && i == text.size();
}
