#!/usr/bin/env bash
# Sets up, builds and starts the configurator window in demo mode: the port
# list offers "DEMO", a simulated panel inside the program, so everything can
# be tried without a panel. Extra arguments go to the program (for example:
# scripts/run.sh --trace trace.log).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DTEVRAL_BUILD_TESTS=OFF
exec build/current/ui/terminal --demo "$@"
