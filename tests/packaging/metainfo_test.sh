#!/usr/bin/env bash
# The AppStream metainfo as distributions check it: appstreamcli validate --pedantic with not
# even a note, and its latest release this version, dated as the changelog's latest entry.
#   metainfo_test.sh METAINFO VERSION CHANGELOG
set -uo pipefail
metainfo=$1
version=$2
changelog=$3
fail() {
    echo "FAIL: $*"
    exit 1
}
command -v appstreamcli >/dev/null ||
    fail "appstreamcli is not installed (Debian package appstream; scripts/deps installs it)"
report=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) || fail "$report"
! grep -q '^[EWIP]: ' <<<"$report" || fail "$report"
echo "ok: appstreamcli validate --pedantic"

release=$(grep -o '<release [^>]*>' "$metainfo" | head -n 1)
[[ $release == *"version=\"$version\""* ]] || fail "the latest release is not $version: $release"
# The trailer line of an entry: " -- NAME <MAIL>  Mon, 07 Dec 2026 12:00:00 +0900".
entry_date=$(sed -n 's/^ -- .*  [A-Z][a-z]*, \([0-9]* [A-Z][a-z]* [0-9]*\) .*/\1/p' "$changelog" |
    head -n 1)
expected_date=$(date -d "$entry_date" +%F) || fail "no date in the changelog's latest entry"
[[ $release == *"date=\"$expected_date\""* ]] ||
    fail "the latest release is not dated $expected_date as the changelog: $release"
echo "ok: the latest release is $version of $expected_date"
