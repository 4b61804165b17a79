#!/usr/bin/env bash
# Builds every preset with warnings as errors and runs its whole test suite,
# makes the Windows release zip, then runs the static analysis. Fails when
# anything does.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
# wine64 only: wine32 cannot run here, and once installed the wine wrapper picks it.
install_missing cmake g++ make libgtest-dev util-linux mount coreutils binutils \
    clang libclang-rt-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 \
    clang-tidy clang-format cppcheck
for preset in native native-debug native-asan native-fuzz windows-x86 windows-x64; do
    echo "== $preset"
    cmake --preset "$preset" --fresh -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
echo "== package"
cpack --preset windows-x86
bash scripts/analyse.sh
