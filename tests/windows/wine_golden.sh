#!/usr/bin/env bash
# tamsel-gen.exe under wine against the Linux tamsel-gen: the same bytes for every verb
# (Shift-JIS CR LF files, --utf8 on standard output), the same --check verdicts, and the
# same exit statuses and messages on the same bad inputs, a full disk included (a small
# tmpfs the wine drive Z: reaches; only where this user may mount one).
#   wine_golden.sh LINUX_TAMSEL_GEN WINDOWS_DIST_FOLDER SOURCE_FOLDER
set -uo pipefail
linux=$1
dist=$2
source=$3
work=$(mktemp -d)
failures=0
cleanup() {
    mountpoint -q "$work/full" && umount "$work/full"
    rm -rf "$work"
}
trap cleanup EXIT

# One wine prefix per run, inside the run's own folder: nothing of another run's settings.
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot --init >/dev/null 2>&1
export TZ=Asia/Tokyo SOURCE_DATE_EPOCH=989643789 LC_ALL=C.UTF-8
profile="$source/scripts/demo_profile.json"

windows() { timeout 120 wine "$dist/tamsel-gen.exe" "$@"; }

# Runs one case on both programs; the exit statuses and standard error must agree.
same_status() {
    local name=$1
    shift
    "$linux" "${@//@OUT@/$work/lin}" >/dev/null 2>"$work/lin.err"
    local linux_status=$?
    windows "${@//@OUT@/$work/win}" >/dev/null 2>"$work/win.err"
    local windows_status=$?
    sed -i "s#$work/win#OUT#g" "$work/win.err"
    sed -i "s#$work/lin#OUT#g" "$work/lin.err"
    if [ "$linux_status" != "$windows_status" ] || ! cmp -s "$work/lin.err" "$work/win.err"; then
        echo "FAIL $name: Linux $linux_status, Windows $windows_status"
        diff "$work/lin.err" "$work/win.err"
        failures=$((failures + 1))
    else
        echo "ok   $name (status $linux_status)"
    fi
}

same_bytes() {
    if cmp -s "$1" "$2"; then
        echo "ok   $3"
    else
        echo "FAIL $3: the bytes differ"
        failures=$((failures + 1))
    fi
}

mkdir -p "$work/lin" "$work/win"
# The golden files the Linux tests hold, but for their header's date line: its weekday and
# time are Windows' own (its locale and time zone), which wine takes from the host, not
# from LC_ALL and TZ. --check leaves that line out.
for pair in package:package.sql vb:module.bas csv:structure.csv; do
    if windows "${pair%%:*}" "$source/tests/data/cli/golden_profile.json" \
        --check "$source/tests/data/cli/${pair#*:}" >/dev/null; then
        echo "ok   ${pair%%:*}, golden file"
    else
        echo "FAIL ${pair%%:*}, golden file: --check finds a difference"
        failures=$((failures + 1))
    fi
done
for verb in package vb csv; do
    "$linux" "$verb" "$profile" -o "$work/lin/$verb.out"
    windows "$verb" "$profile" -o "$work/win/$verb.out"
    same_bytes "$work/lin/$verb.out" "$work/win/$verb.out" "$verb -o"
    "$linux" "$verb" "$profile" --utf8 >"$work/lin/$verb.utf8"
    windows "$verb" "$profile" --utf8 >"$work/win/$verb.utf8"
    same_bytes "$work/lin/$verb.utf8" "$work/win/$verb.utf8" "$verb --utf8 to standard output"
done
# A file written again is replaced, not appended to.
windows package "$profile" -o "$work/win/package.out"
same_bytes "$work/lin/package.out" "$work/win/package.out" "package -o over its own file"

# A dictionary snapshot, and the package made from it named by its Windows path.
"$linux" snapshot "$profile" -o "$work/lin/snapshot.sqlite"
windows snapshot "$profile" -o "$work/win/snapshot.sqlite"
same_bytes "$work/lin/snapshot.sqlite" "$work/win/snapshot.sqlite" "snapshot"
sed "s#\"service\": \"DEMO\"#\"service\": \"Z:$work/win/snapshot.sqlite\"#" "$profile" \
    >"$work/from-snapshot.json"
windows package "$work/from-snapshot.json" -o "$work/win/from-snapshot.sql"
same_bytes "$work/lin/package.out" "$work/win/from-snapshot.sql" "package from a snapshot by drive path"

same_status "--check, equal" package "$profile" --check "$work/lin/package.out"
printf 'x' >>"$work/lin/vb.out"
printf 'x' >>"$work/win/vb.out"
same_status "--check, differing" vb "$profile" --check @OUT@/vb.out
same_status "a missing profile" package "$work/missing.json"
same_status "a folder for a profile" package "$work"
printf '{ "service": ' >"$work/broken.json"
same_status "a broken profile" package "$work/broken.json"
same_status "no such folder" package "$profile" -o "$work/missing/out.sql"
same_status "a folder for the output" package "$profile" -o @OUT@
printf 'old\n' >"$work/lin/read-only.sql"
printf 'old\n' >"$work/win/read-only.sql"
chmod a-w "$work/lin/read-only.sql"
wine cmd /c "attrib +r $(winepath -w "$work/win/read-only.sql" 2>/dev/null)" >/dev/null 2>&1
if [ "$(id -u)" -ne 0 ]; then
    same_status "a read-only output" package "$profile" -o @OUT@/read-only.sql
else # root writes a read-only file on Linux; a Windows user never may
    windows package "$profile" -o "$work/win/read-only.sql" 2>"$work/win.err"
    status=$?
    if [ "$status" = 6 ] && grep -q "読み取り専用のため上書きしません" "$work/win.err" &&
        [ "$(cat "$work/win/read-only.sql")" = old ]; then
        echo "ok   a read-only output (status 6, kept)"
    else
        echo "FAIL a read-only output: status $status"
        cat "$work/win.err"
        failures=$((failures + 1))
    fi
fi
same_status "an unknown verb" nonsense "$profile"

mkdir -p "$work/full"
if mount -t tmpfs -o size=8k tmpfs "$work/full" 2>/dev/null; then
    printf 'old\n' >"$work/full/lin.sql"
    printf 'old\n' >"$work/full/win.sql"
    "$linux" package "$profile" -o "$work/full/lin.sql" 2>/dev/null
    linux_status=$?
    windows package "$profile" -o "$work/full/win.sql" 2>/dev/null
    windows_status=$?
    if [ "$linux_status" = "$windows_status" ] && [ "$(cat "$work/full/win.sql")" = old ] &&
        [ "$(ls "$work/full" | wc -l)" = 2 ]; then
        echo "ok   a full disk (status $linux_status, the old file kept, nothing left behind)"
    else
        echo "FAIL a full disk: Linux $linux_status, Windows $windows_status"
        ls -la "$work/full"
        failures=$((failures + 1))
    fi
else
    echo "skip a full disk: this user cannot mount a small tmpfs"
fi

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
