#!/bin/sh
# Runs a Windows program under Wine in a prefix of its own, made for this run
# and removed after it, so no test sees what another left in the registry.
# usage: in-wine-prefix.sh WINE64 PROGRAM [ARGUMENTS...]
# Exits 77 (skipped) when Wine is not installed.
wine=$1; shift
if ! command -v "$wine" >/dev/null 2>&1; then
    echo "SKIPPED: $wine is not installed, so the Windows program cannot be run here"
    exit 77
fi
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/hostlabel-wine.XXXXXX") || exit 1
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" "$@"
status=$?
wineserver=$(dirname "$(command -v "$wine")")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
"$wineserver" -w 2>/dev/null
rm -rf "$WINEPREFIX"
exit $status
