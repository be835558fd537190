#include "engine/state/install_state.h"

InstallState &Install() {
  static InstallState state;
  return state;
}

double OverallPercent(const InstallState &state) {
  const int64_t total = state.BytesTotal.load();
  if (total <= 0) return 0.0;
  return (double)state.BytesDone.load() / (double)total * 100.0;
}
