// libFuzzer harness for the journal of an installation run: the input is
// read as a journal file of the product the harness names (its first byte
// chooses whether that is the file's own product key or another one).
// What the reader accepts is written out again, record by record, and
// must read back the same, and planning its undo must not fail. Any crash,
// sanitizer report, leak, hang or trap is a bug in format/ or in the plan.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "engine/undo/removal_plan.h"
#include "format/install_journal.h"

namespace {

const char kProduct[] = "_$_INSTALLER_Data_1234567_$_";

// The journal written again from what was read.
std::string Rewritten(const InstallJournal &journal) {
  std::string bytes = JournalHeaderBytes(journal.identity);
  for (const JournalEntry &entry : journal.entries) {
    std::string record;
    JournalEntry written = entry;
    written.undone = false;
    if (!JournalEntryBytes(written, &record)) abort();  // what was read can be written
    bytes += record;
  }
  for (size_t i = 0; i < journal.entries.size(); i++)
    if (journal.entries[i].undone) bytes += JournalUndoneBytes((uint32_t)i);
  if (journal.completed) bytes += JournalCompletedBytes();
  return bytes;
}

bool SameEntries(const InstallJournal &a, const InstallJournal &b) {
  if (a.entries.size() != b.entries.size() || a.completed != b.completed) return false;
  for (size_t i = 0; i < a.entries.size(); i++) {
    const JournalEntry &x = a.entries[i], &y = b.entries[i];
    if (x.kind != y.kind || x.listed != y.listed || x.undone != y.undone || x.path != y.path ||
        x.keptPath != y.keptPath || x.attributes != y.attributes ||
        x.change.PreviousData != y.change.PreviousData || x.change.KeyPath != y.change.KeyPath)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  const std::string product = data[0] & 1 ? kProduct : "_$_INSTALLER_Data_7654321_$_";
  const std::string bytes((const char *)data + 1, size - 1);
  InstallJournal read;
  std::string error;
  const JournalReadResult result = ReadInstallJournal(bytes, product, &read, &error);
  if (result != kJournalReadOk) {
    if (error.empty() || !read.entries.empty()) abort();  // every refusal says why, keeps nothing
    return 0;
  }
  InstallJournal again;
  if (ReadInstallJournal(Rewritten(read), product, &again, &error) != kJournalReadOk ||
      !SameEntries(read, again))
    abort();
  RemovalContext context;
  context.osCode = 80;
  PlanRollback(read, context);
  return 0;
}
