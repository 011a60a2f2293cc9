#!/usr/bin/env bash
# Renders the terminal window and its about window under a virtual X server
# into docs/terminal.png and docs/terminal-about.png, and the
# terminal-earlier window into docs/terminal-earlier.png.
# Usage: scripts/screenshot.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [[ ! -x "$build/current/ui/terminal" ]]; then
  scripts/build.sh "$build" -DTEVRAL_BUILD_TESTS=OFF
fi
program=$(realpath "$build/current/ui/terminal")
docs=$(realpath docs)
# Run from an empty folder so no settings file of the working tree is read.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$program" --screenshot "$docs")
echo "screenshot: $docs/terminal.png $docs/terminal-about.png"

if [[ ! -x "$build/earlier/ui/terminal-earlier" ]]; then
  cmake --build "$build" -j "$(nproc)" --target terminal-earlier
fi
earlier=$(realpath "$build/earlier/ui/terminal-earlier")
(cd "$work" && xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$earlier" --screenshot "$docs")
echo "screenshot: $docs/terminal-earlier.png"
