#!/usr/bin/env bash
# Builds the native release of Hostlabel and runs it with the arguments given
# (none: it reports the computer name and shows its usage, status 255).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
install_missing cmake g++ make
cmake --preset native -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset native >/dev/null
exec build/native/Hostlabel "$@"
