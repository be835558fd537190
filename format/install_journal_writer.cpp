// Writes the journal's header and records (layout in install_journal.h).
#include "format/checksum.h"
#include "format/install_journal.h"
#include "format/install_journal_tags.h"

namespace {

void PutU32(std::string *out, uint32_t value) {
  for (int i = 0; i < 4; i++) out->push_back((char)(uint8_t)(value >> (8 * i)));
}

void PutI32(std::string *out, int32_t value) { PutU32(out, (uint32_t)value); }

// False when the text cannot be carried: too long, or a name (anything but
// data) holding a zero byte, which the system would take for its end.
bool PutText(std::string *out, const std::string &text, bool isData = false) {
  if (text.size() > kMaxJournalText || (!isData && text.find('\0') != std::string::npos))
    return false;
  PutU32(out, (uint32_t)text.size());
  out->append(text);
  return true;
}

bool PutChange(std::string *out, const DoneTaskRecord &change) {
  PutI32(out, change.ID);
  PutI32(out, change.Type);
  PutI32(out, change.ComponentID);
  PutI32(out, change.BaseKey);
  PutI32(out, change.PreviousType);
  out->push_back(change.hasPrevious ? 1 : 0);
  out->push_back(change.hasWritten ? 1 : 0);
  const std::string *names[] = {&change.Name,      &change.KeyPath,      &change.ValueName,
                                &change.ExePath,   &change.Extension,    &change.DLLPath,
                                &change.VariableName, &change.GroupName, &change.IniPath,
                                &change.Group};
  for (const std::string *name : names)
    if (!PutText(out, *name)) return false;
  return PutText(out, change.PreviousData, true) && PutText(out, change.WrittenData, true);
}

// The record around `body`: its length, its CRC-32, the body.
std::string Framed(const std::string &body) {
  std::string record;
  PutU32(&record, (uint32_t)body.size());
  PutU32(&record, Crc32(0, body.data(), body.size()));
  record.append(body);
  return record;
}

}  // namespace

std::string JournalHeaderBytes(const JournalIdentity &identity) {
  std::string header(kJournalMagic, kJournalMagicSize);
  PutU32(&header, kJournalVersion);
  // Identity texts are short; one that is not is cut rather than refused,
  // since the file must start.
  const std::string *texts[] = {&identity.productKey, &identity.productName,
                                &identity.installFolder};
  for (const std::string *text : texts) {
    std::string kept = text->substr(0, kMaxJournalText);
    kept = kept.substr(0, kept.find('\0'));
    PutText(&header, kept);
  }
  PutU32(&header, Crc32(0, header.data(), header.size()));
  return header;
}

bool JournalEntryBytes(const JournalEntry &entry, std::string *bytes) {
  std::string body;
  body.push_back((char)entry.kind);
  body.push_back(entry.listed ? kJournalFlagListed : 0);
  bool ok = true;
  switch (entry.kind) {
    case kJournalFolderCreated:
    case kJournalFileCreated: ok = PutText(&body, entry.path); break;
    case kJournalFileReplaced:
      ok = PutText(&body, entry.path) && PutText(&body, entry.keptPath);
      PutU32(&body, entry.attributes);
      break;
    case kJournalTaskChange: ok = PutChange(&body, entry.change); break;
    default: ok = false; break;
  }
  if (!ok || body.size() > kMaxJournalRecord) return false;
  *bytes = Framed(body);
  return true;
}

std::string JournalUndoneBytes(uint32_t entryNumber) {
  std::string body(1, (char)kJournalTagUndone);
  PutU32(&body, entryNumber);
  return Framed(body);
}

std::string JournalCompletedBytes() { return Framed(std::string(1, (char)kJournalTagCompleted)); }
