// The records of performed changes (done tasks) that the uninstaller
// receives: the drawing of their IDs and their names. The records
// themselves are the journal's task changes (engine/undo/install_journal.h,
// DoneTasksOf).
#ifndef QVS_ENGINE_TASKS_DONE_TASKS_H
#define QVS_ENGINE_TASKS_DONE_TASKS_H

#include <stdint.h>

#include <set>
#include <string>

#include "format/uninstaller_data.h"

// Done-record IDs are drawn from 0 to this number inclusive.
static const int32_t kDoneIdMaximum = 99999999;

// A pseudo-random sequence for the IDs; seed it once per run.
struct DoneIdSource {
  uint64_t state = 0;
};
void SeedDoneIdSource(DoneIdSource *source, uint32_t seed);

// A random ID from 0 to kDoneIdMaximum that `usedIds` does not hold (the
// script's item IDs and the IDs drawn before), added to `usedIds`. After
// many unlucky draws the next free ID above the last draw is taken, so a
// crowded set still ends the search. -1 only when every ID is taken.
int32_t DrawDoneTaskId(DoneIdSource *source, std::set<int32_t> *usedIds);

// Gives `record` a fresh ID, `name` as its Name and component 0. False
// (the record unchanged) when no ID is left.
bool NameDoneRecord(DoneTaskRecord *record, const std::string &name, DoneIdSource *source,
                    std::set<int32_t> *usedIds);

#endif
