#include "builder/progress.h"

#include <chrono>

#include "builder/os_system.h"

double NowSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void ProgressBegin(ProgressLine *line, uint64_t totalBytes, bool allowed) {
  line->enabled = allowed && IsTerminal(stderr);
  line->totalBytes = totalBytes;
  line->startSeconds = NowSeconds();
  line->lastDrawSeconds = 0;
  line->drawn = false;
}

void ProgressReport(void *context, uint64_t bytesIn, uint64_t bytesOut) {
  ProgressLine *line = (ProgressLine *)context;
  if (!line->enabled) return;
  double now = NowSeconds();
  if (line->drawn && now - line->lastDrawSeconds < 0.1) return;
  double elapsed = now - line->startSeconds;
  double percent = line->totalBytes ? 100.0 * (double)bytesIn / (double)line->totalBytes : 100.0;
  double rate = elapsed > 0 ? (double)bytesIn / 1e6 / elapsed : 0;
  fprintf(stderr, "\r%5.1f%%  %.1f MB -> %.1f MB  %.1f MB/s ", percent, (double)bytesIn / 1e6,
          (double)bytesOut / 1e6, rate);
  fflush(stderr);
  line->lastDrawSeconds = now;
  line->drawn = true;
}

void ProgressEnd(ProgressLine *line) {
  if (line->enabled && line->drawn) ClearTerminalLine(stderr);
  line->drawn = false;
}

void PrintSummary(FILE *stream, const char *output, uint64_t files, uint64_t bytesIn,
                  uint64_t bytesOut, double seconds) {
  double ratio = bytesIn ? 100.0 * (double)bytesOut / (double)bytesIn : 0.0;
  double rate = seconds > 0 ? (double)bytesIn / 1e6 / seconds : 0;
  fprintf(stream, "%s: %llu files, %.1f MB in, %.1f MB out (%.1f%%), %.2f s, %.1f MB/s\n", output,
          (unsigned long long)files, (double)bytesIn / 1e6, (double)bytesOut / 1e6, ratio,
          seconds, rate);
}
