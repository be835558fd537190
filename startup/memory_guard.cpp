#include "startup/memory_guard.h"

#include <stdlib.h>

#include <atomic>
#include <new>

#include "engine/state/exits.h"
#include "platform/messages.h"

namespace {

// Freed when memory runs out, so that the message box and the clean exit
// find some to work with.
const size_t kReserveSize = 256 * 1024;
void *g_reserve = NULL;
std::atomic<int> g_failures(0);

// Called by `new` when it cannot allocate; never returns. A failure while
// showing the message skips the message; one during the clean exit ends
// the process at once.
void OnAllocationFailure() {
  int failure = ++g_failures;
  if (failure == 1) {
    free(g_reserve);
    g_reserve = NULL;
    ShowMessage(NULL, "Memory buffer error.", "Error", kButtonsOk, kIconError);
    CleanExit();
  }
  if (failure == 2) CleanExit();
  NormalExit();
}

}  // namespace

void InstallMemoryGuard() {
  if (g_reserve == NULL) g_reserve = malloc(kReserveSize);
  std::set_new_handler(OnAllocationFailure);
}
