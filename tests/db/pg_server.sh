#!/usr/bin/env bash
# Starts and stops the PostgreSQL server that the ODBC tests log on to.
#
#   pg_server.sh start STATE_FILE   initdb in a new temporary folder, start the server on
#                                   127.0.0.1 at a free port with password authentication,
#                                   create the test role, schema and dictionary views, write
#                                   an odbc.ini/odbcinst.ini pair there, and record in
#                                   STATE_FILE (KEY=VALUE lines) what the tests need
#   pg_server.sh stop STATE_FILE    stop that server (also a half-started one) and remove
#                                   its folder
#
# Run as root, the server runs as the postgres user (runuser) on a folder that user owns;
# run as anyone else, it runs as that user. Nothing under /etc is read for the data source:
# ODBCSYSINI and ODBCINI point into the temporary folder.
set -euo pipefail

action=${1:-}
state=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
[ -n "$action" ] && [ -n "$state" ] || {
    echo "usage: $0 start|stop STATE_FILE" >&2
    exit 2
}

as_server_user() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

state_value() { # KEY -> value from the state file
    sed -n "s/^$1=//p" "$state" | head -n 1
}

stop_server() {
    [ -f "$state" ] || return 0
    local folder bin
    folder=$(state_value PG_TMP)
    bin=$(state_value PG_BIN)
    if [ -n "$folder" ] && [ -d "$folder/data" ] && [ -f "$folder/data/postmaster.pid" ]; then
        as_server_user "$bin/pg_ctl" stop -D "$folder/data" -m immediate -w -t 60 >/dev/null 2>&1 || true
    fi
    case "$folder" in
    */tamsel-pg.*) rm -rf -- "$folder" ;;
    esac
    rm -f -- "$state"
}

if [ "$action" = stop ]; then
    stop_server
    exit 0
fi
[ "$action" = start ] || {
    echo "$0: unknown action $action" >&2
    exit 2
}

# A server left by an interrupted earlier run goes first.
stop_server

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bin/initdb" ] || {
    echo "$0: PostgreSQL server binaries not found (install postgresql: scripts/deps)" >&2
    exit 1
}
driver=""
for candidate in /usr/lib/*/odbc/psqlodbcw.so /usr/lib/odbc/psqlodbcw.so /usr/lib64/psqlodbcw.so; do
    if [ -f "$candidate" ]; then
        driver=$candidate
        break
    fi
done
[ -n "$driver" ] || {
    echo "$0: psqlODBC Unicode driver not found (install odbc-postgresql: scripts/deps)" >&2
    exit 1
}

folder=$(mktemp -d "${TMPDIR:-/tmp}/tamsel-pg.XXXXXX")
chmod 755 "$folder"
mkdir -p "$(dirname "$state")"
printf 'PG_TMP=%s\nPG_BIN=%s\n' "$folder" "$bin" >"$state"
# Any way out before the end is a failed start: show the logs, stop what was started.
started=""
on_exit() {
    [ -n "$started" ] && return 0
    echo "$0: start failed" >&2
    cat "$folder"/*.log "$folder"/server/server.log >&2 2>/dev/null || true
    stop_server
}
trap on_exit EXIT

secret() { head -c 12 /dev/urandom | od -An -tx1 | tr -d ' \n'; }
superpass=$(secret)
# Upper-case role: the logon window upper-cases the user as typed, and PostgreSQL role
# names are case-sensitive. The password keeps mixed case, as typed.
user=TAMSEL_TEST
password="Pw-$(secret)"
# A second role whose password holds the characters that delimit ODBC attributes.
quote_user=TAMSEL_QUOTE
quote_password="Se;mi}co{lon-$(secret)"
dsn=TamselPg
database=TAMSEL

mkdir "$folder/server"
printf '%s\n' "$superpass" >"$folder/server/superpass"
if [ "$(id -u)" -eq 0 ]; then
    chown -R postgres: "$folder/server"
fi
chmod 700 "$folder/server"

# scram-sha-256 for every connection: the default "trust" would let a wrong password in.
as_server_user "$bin/initdb" -D "$folder/server/data" -U postgres -A scram-sha-256 \
    --pwfile="$folder/server/superpass" -E UTF8 --no-locale >"$folder/initdb.log" 2>&1
ln -s server/data "$folder/data"

port=""
for _ in $(seq 1 20); do
    candidate=$((20000 + RANDOM % 40000))
    # Something answering there already: try another.
    if (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then
        continue
    fi
    if as_server_user "$bin/pg_ctl" start -D "$folder/server/data" -w -t 60 \
        -l "$folder/server/server.log" \
        -o "-p $candidate -c listen_addresses=127.0.0.1 -c unix_socket_directories=$folder/server -c fsync=off" \
        >/dev/null 2>&1; then
        port=$candidate
        break
    fi
    # Lost a race for the port: the log says so; anything else is a real failure.
    grep -q "could not bind" "$folder/server/server.log" 2>/dev/null || break
done
cp "$folder/server/server.log" "$folder/server-start.log" 2>/dev/null || true
[ -n "$port" ] || {
    echo "$0: the server did not start" >&2
    false
}
printf 'PG_PORT=%s\n' "$port" >>"$state"

psql_as() { # USER PASSWORD DATABASE psql-arguments...
    local who=$1 pass=$2 db=$3
    shift 3
    PGPASSWORD=$pass "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -U "$who" -d "$db" "$@"
}
psql_as postgres "$superpass" postgres \
    -c "CREATE ROLE \"$user\" LOGIN PASSWORD '$password'" \
    -c "CREATE ROLE \"$quote_user\" LOGIN PASSWORD '$quote_password'" \
    -c "CREATE DATABASE \"$database\" OWNER \"$user\" ENCODING 'UTF8' TEMPLATE template0" \
    >"$folder/setup.log" 2>&1
psql_as "$user" "$password" "$database" -f "$here/pg_schema.sql" >>"$folder/setup.log" 2>&1

mkdir "$folder/odbc"
cat >"$folder/odbc/odbcinst.ini" <<INI
[PostgreSQL Unicode]
Description = PostgreSQL ODBC driver (Unicode)
Driver = $driver
INI
: >"$folder/odbc/odbc.ini"
cat >"$folder/odbc/user-odbc.ini" <<INI
[$dsn]
Description = Tamsel ODBC tests
Driver = PostgreSQL Unicode
Servername = 127.0.0.1
Port = $port
Database = $database
INI

# The tests stop the server themselves to see a retrieval lose its connection.
runner=""
if [ "$(id -u)" -eq 0 ]; then
    runner="runuser -u postgres -- "
fi
cat >"$folder/stop-server.sh" <<SH
#!/usr/bin/env bash
${runner}"$bin/pg_ctl" stop -D "$folder/server/data" -m immediate -w -t 60
SH
chmod 755 "$folder/stop-server.sh"

cat >>"$state" <<STATE
PG_USER=$user
PG_PASSWORD=$password
PG_QUOTE_USER=$quote_user
PG_QUOTE_PASSWORD=$quote_password
PG_DSN=$dsn
PG_DATABASE=$database
PG_STOP=$folder/stop-server.sh
ODBCSYSINI=$folder/odbc
ODBCINI=$folder/odbc/user-odbc.ini
STATE
started=yes
echo "PostgreSQL for the ODBC tests: 127.0.0.1:$port, data source $dsn, folder $folder"
