#!/usr/bin/env bash
# Builds every preset and runs its whole test suite; fails when any test does.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
# wine64 only: wine32 cannot run here, and once installed the wine wrapper picks it.
install_missing cmake g++ make libgtest-dev util-linux mount coreutils \
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64
for preset in native native-debug windows-x86 windows-x64 package; do
    echo "== $preset"
    cmake --workflow --preset "$preset" --fresh
done
