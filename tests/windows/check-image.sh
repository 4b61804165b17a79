#!/bin/sh
# Checks a built Hostlabel.exe as a file: what Windows will make of it before
# it runs a single instruction.
# usage: check-image.sh OBJDUMP EXE FORMAT MAGIC   (e.g. pei-i386 "(PE32)")
objdump=$1 exe=$2 format=$3 magic=$4
headers=$("$objdump" -p "$exe") || { echo "cannot read $exe"; exit 1; }
# The imports from KERNEL32.dll, up to the next DLL's block.
kernel32=$(printf '%s\n' "$headers" | awk '/DLL Name:/ {inside = ($3 == "KERNEL32.dll")} inside')
dlls=$(printf '%s\n' "$headers" | awk '/DLL Name:/ {print $3}' | sort -u | tr '\n' ' ')
texts=$(strings -a "$exe"; strings -a -el "$exe")

passed=0 failed=0
check() {
    label=$1; shift
    if "$@"; then passed=$((passed + 1)); echo "ok - $label"
    else failed=$((failed + 1)); echo "FAIL - $label"; fi
}
has() { printf '%s\n' "$1" | grep -qE -- "$2"; }

check "image format is $format" has "$headers" "file format $format\$"
check "optional header is $magic" has "$headers" "^Magic.*$(printf '%s' "$magic" | sed 's/[()+]/\\&/g')"
check "console subsystem" has "$headers" '^Subsystem[[:space:]]+00000003[[:space:]]+\(Windows CUI\)'
check "GetComputerNameA bound from KERNEL32.dll" has "$kernel32" '[[:space:]]GetComputerNameA$'
check "SetComputerNameExA bound from KERNEL32.dll" has "$kernel32" '[[:space:]]SetComputerNameExA$'
check "no DLL beyond the system's (found: $dlls)" test "$dlls" = "KERNEL32.dll msvcrt.dll "
check "version resource present" has "$headers" 'Entry: ID: 0x000010,'
check "manifest resource present" has "$headers" 'Entry: ID: 0x000018,'
check "product name Hostlabel" has "$texts" '^ProductName$'
check "file version in the version resource" has "$texts" "^${HOSTLABEL_VERSION:-[0-9]+\.[0-9]+\.[0-9]+}\$"
check "manifest asks for no elevation" has "$texts" 'level="asInvoker"'
check "manifest declares Windows 10 and 11" has "$texts" '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
