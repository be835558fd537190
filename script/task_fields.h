// The keys of each task type, in the order the reader reads them, with the
// TaskDetails field each fills. The script reader fills task details from
// these tables, and the script schema (script_schema.h) names the same
// keys, so the reference, the builder's checks and the reader cannot
// disagree about which key a task type reads.
#ifndef QVS_SCRIPT_TASK_FIELDS_H
#define QVS_SCRIPT_TASK_FIELDS_H

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "script/script_settings.h"

// One key: exactly one of `text` and `number` is set.
struct TaskField {
  const char *key;
  std::string TaskDetails::*text;
  int32_t TaskDetails::*number;
};

struct TaskFieldList {
  const TaskField *fields;
  size_t count;
};

// The installer task types are 0 to this; other types read no details.
static const int32_t kLastInstallerTaskType = 14;
// The uninstaller task types are 0 to this.
static const int32_t kLastUninstallerTaskType = 7;

// The keys of an InstallerTasks item of `type`; none for a type out of range.
TaskFieldList InstallerTaskFields(int32_t type);
// The keys of an UninstallerTasks item of `type`; none for a type out of range.
TaskFieldList UninstallerTaskFields(int32_t type);

#endif
