// "qvsbuild build": a project folder in, an installer file out.
#ifndef QVS_BUILDER_BUILD_COMMAND_H
#define QVS_BUILDER_BUILD_COMMAND_H

#include "builder/build_options.h"

// Builds the installer. Messages go to stderr; returns the process exit
// code (0 success, 1 bad input or failed build). No output file exists
// after a failure, and an earlier file at the output path is left as it was.
int RunBuild(const BuildOptions &options);

#endif
