#!/usr/bin/env bash
# The test command without the Qt for Windows tarball: outside CI the Windows part is
# skipped and its last lines say so and how to get the tarball; under CI=true that fails.
# A tarball that is not what it claims fails either way, and a SHA-256 of one's own (a
# tarball built here) is taken only outside CI.
#   windows_skip_test.sh SOURCE_FOLDER
set -uo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/empty" "$work/fake"
printf 'not a tarball\n' >"$work/fake/qt-6.4.2-mingw-w64-x86_64.tar.xz"
fake_sha256=$(sha256sum "$work/fake/qt-6.4.2-mingw-w64-x86_64.tar.xz" | cut -c1-64)
failures=0

# expect DESCRIPTION STATUS TEXT CI FOLDER SHA256 COMMAND...: COMMAND, run with CI set to CI
# (unset when empty), TAMSEL_TOOLCHAINS=FOLDER and TAMSEL_TOOLCHAIN_SHA256=SHA256 (unset when
# empty), ends with STATUS, and TEXT (a grep pattern) is on its last three lines.
expect() {
    local description=$1 expected=$2 text=$3 ci=$4 folder=$5 sha256=$6
    shift 6
    local environment=(-u CI -u TAMSEL_TOOLCHAIN_SHA256 TAMSEL_TOOLCHAINS="$folder")
    [ -z "$ci" ] || environment+=(CI="$ci")
    [ -z "$sha256" ] || environment+=(TAMSEL_TOOLCHAIN_SHA256="$sha256")
    env "${environment[@]}" "$@" >"$work/out" 2>&1
    local status=$?
    if [ "$status" = "$expected" ] && tail -n 3 "$work/out" | grep -q -- "$text"; then
        echo "ok   $description"
    else
        echo "FAIL $description: status $status (expected $expected), output:"
        cat "$work/out"
        failures=$((failures + 1))
    fi
}

test_command=("$source/scripts/test" --windows-only)
find_toolchain=("$source/scripts/build-windows" --find-toolchain)
expect "outside CI, no tarball: skipped, saying so" 0 "Windows part was SKIPPED" \
    "" "$work/empty" "" "${test_command[@]}"
expect "outside CI, no tarball: the folder to name" 0 "TAMSEL_TOOLCHAINS" \
    "" "$work/empty" "" "${test_command[@]}"
expect "outside CI, no tarball: the script that builds it" 0 "scripts/build-windows-toolchain" \
    "" "$work/empty" "" "${test_command[@]}"
expect "CI=true, no tarball: a failure" 1 "CI=true" \
    true "$work/empty" "" "${test_command[@]}"
expect "outside CI, a tarball that is not what it claims: a failure" 1 "expected SHA-256" \
    "" "$work/fake" "" "${test_command[@]}"
expect "the Windows build itself never skips" 1 "not found" \
    "" "$work/empty" "" "$source/scripts/build-windows"
expect "outside CI, a tarball built here, named by its SHA-256" 0 "$work/fake" \
    "" "$work/fake" "$fake_sha256" "${find_toolchain[@]}"
expect "CI=true: only the pinned SHA-256" 1 "not taken under CI=true" \
    true "$work/fake" "$fake_sha256" "${find_toolchain[@]}"
expect "a SHA-256 that is none" 1 "not a SHA-256" \
    "" "$work/fake" "${fake_sha256:1}" "${find_toolchain[@]}"

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
