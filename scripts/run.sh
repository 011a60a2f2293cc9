#!/usr/bin/env bash
# Sets up, builds and starts the configurator window. Extra arguments go to
# the program (for example: scripts/run.sh --demo).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DTEVRAL_BUILD_TESTS=OFF
exec build/current/ui/terminal "$@"
