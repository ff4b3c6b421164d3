#!/usr/bin/env bash
# tamsel-gen.exe through ODBC under wine: wine's ODBC hands the calls to the host's unixODBC,
# so the Windows program reaches the PostgreSQL server of the database tests' fixture through
# the same data source as the Linux one, and must write the same files and exit alike.
#   wine_odbc.sh LINUX_TAMSEL_GEN WINDOWS_DIST_FOLDER SOURCE_FOLDER
set -uo pipefail
linux=$1
dist=$2
source=$3
work=$(mktemp -d)
failures=0
state=$work/pg.env
cleanup() {
    "$source/tests/db/pg_server.sh" stop "$state" >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
"$source/tests/db/pg_server.sh" start "$state" >"$work/server.log" 2>&1 ||
    { echo "FAIL ODBC under wine: the PostgreSQL server did not start"; cat "$work/server.log"; exit 1; }
value() { sed -n "s/^$1=//p" "$state"; }
export ODBCSYSINI=$(value ODBCSYSINI) ODBCINI=$(value ODBCINI)
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot --init >/dev/null 2>&1

profile() { # PASSWORD: the fixture's data source, its user and three of its tables
    printf '{"service": "%s", "user": "%s", "password": "%s", "tables": [%s]}' \
        "$(value PG_DSN)" "$(value PG_USER)" "$1" \
        '{"name": "EMP", "public": true, "argumentTables": ["EMP", "DEPT"]}, {"name": "部署", "array": true}, {"name": "DEPT", "array": true}'
}
profile "$(value PG_PASSWORD)" >"$work/odbc.json"
profile wrong >"$work/wrong.json"
# Linux's --check of what Windows wrote: the same bytes but for the header's date line.
for verb in package vb csv; do
    timeout 120 wine "$dist/tamsel-gen.exe" "$verb" "$work/odbc.json" -o "$work/win.$verb"
    if [ -s "$work/win.$verb" ] && "$linux" "$verb" "$work/odbc.json" --check "$work/win.$verb"; then
        echo "ok   $verb through ODBC"
    else
        echo "FAIL $verb through ODBC: the bytes differ"
        failures=$((failures + 1))
    fi
done
"$linux" package "$work/wrong.json" >/dev/null 2>&1
linux_status=$?
timeout 120 wine "$dist/tamsel-gen.exe" package "$work/wrong.json" >/dev/null 2>&1
windows_status=$?
if [ "$linux_status" = "$windows_status" ] && [ "$linux_status" != 0 ]; then
    echo "ok   a wrong password through ODBC (status $linux_status)"
else
    echo "FAIL a wrong password through ODBC: Linux $linux_status, Windows $windows_status"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
