#!/usr/bin/env bash
# Builds every preset and runs its whole test suite; fails when any test does.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
install_missing cmake g++ make libgtest-dev util-linux mount coreutils
for preset in native native-debug; do
    echo "== $preset"
    cmake --workflow --preset "$preset" --fresh
done
