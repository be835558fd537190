// qvsbuild: turns a project folder into an installer, and lists, verifies
// or extracts one. The work lives in qvs_builder_lib.
#include "builder/cli.h"

int main(int argc, char **argv) { return RunCommandLine(argc, argv); }
