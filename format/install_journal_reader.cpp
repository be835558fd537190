// Reads a journal file (layout in install_journal.h). The file may be
// damaged or planted: every length is checked against the bytes that
// remain before it is used, and the lists grow only as records are read.
#include "format/checksum.h"
#include "format/install_journal.h"
#include "format/install_journal_tags.h"
#include "format/uninstaller_data_text.h"

namespace {

// A cursor over bytes whose `ok` stays false after the first read past the
// end or of a text over its limit.
struct Cursor {
  const std::string *bytes = nullptr;
  size_t at = 0;
  size_t end = 0;
  bool ok = true;

  size_t Left() const { return end - at; }

  uint32_t U32() {
    if (!ok || Left() < 4) {
      ok = false;
      return 0;
    }
    uint32_t value = 0;
    for (int i = 0; i < 4; i++) value |= (uint32_t)(uint8_t)(*bytes)[at + i] << (8 * i);
    at += 4;
    return value;
  }
  int32_t I32() { return (int32_t)U32(); }
  uint8_t U8() {
    if (!ok || Left() < 1) {
      ok = false;
      return 0;
    }
    return (uint8_t)(*bytes)[at++];
  }
  // A name (a path, a key) never holds a zero byte; data may.
  std::string Text(bool isData = false) {
    const uint32_t length = U32();
    if (!ok || length > kMaxJournalText || length > Left()) {
      ok = false;
      return std::string();
    }
    std::string text = bytes->substr(at, length);
    at += length;
    if (!isData && text.find('\0') != std::string::npos) ok = false;
    return text;
  }
};

struct Reader {
  const std::string *bytes = nullptr;
  InstallJournal *out = nullptr;
  std::string error;

  JournalReadResult Fail(JournalReadResult result, size_t offset, const std::string &what) {
    error = "at byte " + CountText(offset) + ": " + what;
    return result;
  }
};

bool AllZero(const std::string &bytes, size_t from) {
  return bytes.find_first_not_of('\0', from) == std::string::npos;
}

bool ReadChange(Cursor *c, DoneTaskRecord *change) {
  change->ID = c->I32();
  change->Type = c->I32();
  change->ComponentID = c->I32();
  change->BaseKey = c->I32();
  change->PreviousType = c->I32();
  change->hasPrevious = c->U8() != 0;
  change->hasWritten = c->U8() != 0;
  std::string *names[] = {&change->Name,         &change->KeyPath,   &change->ValueName,
                          &change->ExePath,      &change->Extension, &change->DLLPath,
                          &change->VariableName, &change->GroupName, &change->IniPath,
                          &change->Group};
  for (std::string *name : names) *name = c->Text();
  change->PreviousData = c->Text(true);
  change->WrittenData = c->Text(true);
  return c->ok;
}

// One record's body: an entry, an undone mark or the completion. An empty
// text on return means it was sound.
std::string ReadBody(Cursor *c, InstallJournal *journal) {
  const uint8_t tag = c->U8();
  if (tag == kJournalTagCompleted) {
    journal->completed = true;
  } else if (tag == kJournalTagUndone) {
    const uint32_t number = c->U32();
    if (c->ok && (number >= journal->entries.size() || journal->entries[number].undone))
      return "an undone mark for entry " + CountText(number) + ", which is not there or undone";
    if (c->ok) journal->entries[number].undone = true;
  } else if (tag >= kJournalFolderCreated && tag <= kJournalTaskChange) {
    if (journal->entries.size() >= kMaxJournalEntries) return "more entries than a journal holds";
    JournalEntry entry;
    entry.kind = (JournalEntryKind)tag;
    const uint8_t flags = c->U8();
    if ((flags & ~kJournalFlagListed) != 0) return "unknown entry flags";
    entry.listed = (flags & kJournalFlagListed) != 0;
    if (entry.kind == kJournalTaskChange) {
      ReadChange(c, &entry.change);
    } else {
      entry.path = c->Text();
      if (entry.kind == kJournalFileReplaced) {
        entry.keptPath = c->Text();
        entry.attributes = c->U32();
      }
      if (c->ok && (entry.path.empty() ||
                    (entry.kind == kJournalFileReplaced && entry.keptPath.empty())))
        return "an entry without its path";
    }
    journal->entries.push_back(entry);
  } else {
    return "unknown record tag " + CountText(tag);
  }
  if (!c->ok) return "a record shorter than its fields";
  if (c->Left() != 0) return "a record longer than its fields";
  return std::string();
}

JournalReadResult ReadHeader(Reader *r, const std::string &productKey, size_t *headerEnd) {
  const std::string &bytes = *r->bytes;
  if (bytes.size() < kJournalMagicSize ||
      bytes.compare(0, kJournalMagicSize, kJournalMagic, kJournalMagicSize) != 0)
    return r->Fail(kJournalDamaged, 0, "not a journal");
  Cursor c;
  c.bytes = &bytes;
  c.at = kJournalMagicSize;
  c.end = bytes.size();
  const uint32_t version = c.U32();
  JournalIdentity &identity = r->out->identity;
  identity.productKey = c.Text();
  identity.productName = c.Text();
  identity.installFolder = c.Text();
  const size_t checked = c.at;
  const uint32_t crc = c.U32();
  if (!c.ok || crc != Crc32(0, bytes.data(), checked))
    return r->Fail(kJournalDamaged, 0, "a damaged header");
  if (version > kJournalVersion)
    return r->Fail(kJournalNewerVersion, kJournalMagicSize,
                   "version " + CountText(version) + " is newer than this program reads");
  if (version != kJournalVersion)
    return r->Fail(kJournalDamaged, kJournalMagicSize, "unknown version " + CountText(version));
  if (identity.productKey != productKey)
    return r->Fail(kJournalForeign, kJournalMagicSize,
                   "the journal of another product (" + identity.productKey + ")");
  *headerEnd = c.at;
  return kJournalReadOk;
}

}  // namespace

JournalReadResult ReadInstallJournal(const std::string &bytes, const std::string &productKey,
                                     InstallJournal *out, std::string *error) {
  *out = InstallJournal();
  Reader r;
  r.bytes = &bytes;
  r.out = out;
  JournalReadResult result = kJournalReadOk;
  size_t at = 0;
  if (bytes.size() > kMaxJournalSize) {
    result = r.Fail(kJournalDamaged, kMaxJournalSize, "larger than a journal can be");
  } else {
    result = ReadHeader(&r, productKey, &at);
  }
  while (result == kJournalReadOk && at < bytes.size()) {
    const size_t left = bytes.size() - at;
    // The write a crash cut short: the file ends inside this record, or in
    // the zero bytes a power cut may leave at a file's end.
    if (AllZero(bytes, at)) break;
    Cursor frame;
    frame.bytes = &bytes;
    frame.at = at;
    frame.end = bytes.size();
    const uint32_t length = frame.U32();
    const uint32_t crc = frame.U32();
    if (!frame.ok || length > left - kJournalFrameSize) break;
    const size_t bodyAt = at + kJournalFrameSize;
    const size_t next = bodyAt + length;
    if (length == 0 || length > kMaxJournalRecord) {
      result = r.Fail(kJournalDamaged, at, "a record of impossible length");
    } else if (Crc32(0, bytes.data() + bodyAt, length) != crc) {
      if (next == bytes.size()) break;  // the last record, half written
      result = r.Fail(kJournalDamaged, at, "a damaged record");
    } else if (out->completed) {
      result = r.Fail(kJournalDamaged, at, "a record after the completion");
    } else {
      Cursor body;
      body.bytes = &bytes;
      body.at = bodyAt;
      body.end = next;
      const std::string problem = ReadBody(&body, out);
      if (!problem.empty()) result = r.Fail(kJournalDamaged, at, problem);
    }
    at = next;
  }
  if (result == kJournalReadOk) return result;
  if (error != nullptr) *error = r.error;
  if (result != kJournalForeign) *out = InstallJournal();
  else out->entries.clear();
  return result;
}
