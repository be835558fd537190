// The processor-speed and memory requirements of the installer script:
// a minimum pass and, when the minimum is met, a recommended pass.
#ifndef QVS_CHECKS_HARDWARE_REQUIREMENTS_H
#define QVS_CHECKS_HARDWARE_REQUIREMENTS_H

#include <stdint.h>

#include "checks/check_environment.h"
#include "script/script_settings.h"

// Physical memory in MB as the requirement counts it: whole megabytes
// rounded down, plus one (511.5 MB counts as 512, exactly 512 as 513).
int64_t MemoryMegabytes(uint64_t totalBytes);

// Runs when CheckSysRequirements is 1. Each pass measures afresh what the
// script asks to compare (CheckCPUSpeed, CheckMemSize) and reports every
// value below its threshold in one message (caption string 3, exclamation
// icon): with the Fail... flag 0 it asks whether to go on (No ends the
// installer; Yes skips whatever would follow), else it tells that the
// installation cannot go on and ends it. Uses showMessage,
// measureProcessorSpeed, measurePhysicalMemory.
CheckResult CheckHardwareRequirements(const ScriptSettings &settings, const CheckEnvironment &env);

#endif
