#!/usr/bin/env bash
# Static analysis and style: clang-tidy and cppcheck over src/ for both
# platforms, clang-format over every C++ file. Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
install_missing cmake g++ make libgtest-dev g++-mingw-w64-x86-64 clang clang-tidy clang-format cppcheck

cmake --preset native >/dev/null
cmake --preset windows-x64 >/dev/null

echo "== clang-tidy (Linux)"
clang-tidy --quiet -p build/native src/Hostlabel.cpp src/platform/linux/*.cpp

# clang does not find the MinGW-w64 C++ and Windows headers by itself; take
# them from g++, but not g++'s own intrinsics, which clang brings itself.
windows_args=(--extra-arg=--target=x86_64-w64-mingw32)
while read -r dir; do
    windows_args+=("--extra-arg=-isystem$dir")
done < <(echo | x86_64-w64-mingw32-g++ -xc++ -E -v - 2>&1 |
    sed -n '/#include <...> search starts here:/,/End of search list./p' | grep -E '/include/c\+\+|mingw32/include$')
echo "== clang-tidy (Windows)"
clang-tidy --quiet -p build/windows-x64 "${windows_args[@]}" src/Hostlabel.cpp src/platform/windows/*.cpp

echo "== cppcheck"
cppcheck_args=(--quiet --error-exitcode=1 --std=c++17 --language=c++ --enable=warning,style,performance,portability
    --inline-suppr -I src)
cppcheck "${cppcheck_args[@]}" src/Hostlabel.cpp src/platform/linux/*.cpp
cppcheck "${cppcheck_args[@]}" -D_WIN32 src/Hostlabel.cpp src/platform/windows/*.cpp

echo "== clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "analysis clean"
