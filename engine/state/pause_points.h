// Points where a test build of the installer holds a run, so that the
// end-to-end tests can cut it off there as a crash would
// (tests/e2e/pausing_stub.cpp). The product's stub sets no handler: a
// point then costs one comparison and does nothing.
#ifndef QVS_ENGINE_STATE_PAUSE_POINTS_H
#define QVS_ENGINE_STATE_PAUSE_POINTS_H

// The points, each passed once per time it is reached.
static const char kPauseAfterFile[] = "file";            // a product file written
static const char kPauseAfterTask[] = "task";            // an after-copy task done
static const char kPauseUninstaller[] = "uninstaller";   // between the uninstaller's files

typedef void (*PausePointHandler)(const char *point);
void SetPausePointHandler(PausePointHandler handler);
void PausePoint(const char *point);

#endif
