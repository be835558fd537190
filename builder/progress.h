// Build progress on a terminal: one line on stderr, rewritten at most ten
// times a second, with percent done and throughput. Silent when stderr is
// not a terminal. The one-line summary at the end is printed either way.
#ifndef QVS_BUILDER_PROGRESS_H
#define QVS_BUILDER_PROGRESS_H

#include <stdint.h>
#include <stdio.h>

struct ProgressLine {
  bool enabled;
  uint64_t totalBytes;
  double startSeconds;
  double lastDrawSeconds;
  bool drawn;
};

// Monotonic seconds, for timing.
double NowSeconds();

void ProgressBegin(ProgressLine *line, uint64_t totalBytes, bool allowed);
// Fits PipelineProgress::report.
void ProgressReport(void *context, uint64_t bytesIn, uint64_t bytesOut);
// Clears the line so that messages start on a clean one.
void ProgressEnd(ProgressLine *line);

// "3 files, 1.2 MB in, 0.4 MB out (33.1%), 0.8 s" to `stream`.
void PrintSummary(FILE *stream, const char *output, uint64_t files, uint64_t bytesIn,
                  uint64_t bytesOut, double seconds);

#endif
