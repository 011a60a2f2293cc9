#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need,
# and any further packages named as arguments (scripts/fuzz.sh adds clang).
# Quick when everything is already installed: it asks dpkg first and only
# then goes to apt-get.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl1-mesa-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  xvfb xauth fonts-dejavu-core
  # The Windows steps: the MinGW-w64 cross compiler (posix threads), its
  # resource compiler, GoogleTest's sources to build for it, and wine.
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine wine64 gcc
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  sudo=()
  if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
  echo "setup: installing ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
