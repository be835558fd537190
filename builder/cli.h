// The qvsbuild command line: the subcommand and its arguments.
#ifndef QVS_BUILDER_CLI_H
#define QVS_BUILDER_CLI_H

// Runs one qvsbuild command and returns the process exit code: 0 success,
// 1 failure, 2 a usage error.
int RunCommandLine(int argc, char **argv);

#endif
