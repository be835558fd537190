#!/usr/bin/env bash
# End-to-end scenarios under Wine and Xvfb (tests/e2e/run.sh): real
# installers driven through their windows; screenshots in out/e2e.
cd "$(dirname "$0")/../.."
exec bash tests/e2e/run.sh
