#include "engine/state/pause_points.h"

namespace {

PausePointHandler gHandler = nullptr;

}  // namespace

void SetPausePointHandler(PausePointHandler handler) { gHandler = handler; }

void PausePoint(const char *point) {
  if (gHandler != nullptr) gHandler(point);
}
