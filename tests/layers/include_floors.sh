#!/usr/bin/env bash
# Every #include of the project's own headers points down: a unit may use the units of its
# own floor and of the floors below it, never one above. The floors, bottom first:
#   the core:  util < settings, model < db < gen < profile   (no widget: tamsel-gen links only
#              these)
#   windows:   ui (root: messages, seams...) < ui/widgets < ui/dialogs < ui/main < app
#   inside db: values and errors < the database and its backends < the session, the service
#              resolution and the dictionary queries on top
#   cli sits on the core beside the windows and sees none of them.
# Prints every arrow that runs up and fails when there is one.
set -euo pipefail
src=$(cd "$(dirname "$0")/../../src" && pwd)

floor() { # the floor of a file or header, relative to src/
    case "$1" in
    util/*) echo 10 ;;
    settings/* | model/*) echo 20 ;;
    db/db_error.h | db/db_messages.h | db/dynaset.* | db/session_environment.*) echo 30 ;;
    db/database.* | db/database_backend.* | db/qt_sql_backend.* | db/sqlite_*.* | db/odbc.* | db/odbc_api.h | \
        db/demo_database.*) echo 31 ;;
    db/*) echo 32 ;;
    gen/*) echo 40 ;;
    profile/*) echo 45 ;;
    ui/widgets/*) echo 61 ;;
    ui/dialogs/*) echo 62 ;;
    ui/main/*) echo 63 ;;
    ui/*) echo 60 ;;
    app/*) echo 70 ;;
    cli/*) echo 50 ;;
    *) echo 0 ;;
    esac
}

# cli and the windows stand side by side: neither may reach the other.
apart() { [[ ($1 == cli/* && $2 =~ ^(ui|app)/) || ($1 =~ ^(ui|app)/ && $2 == cli/*) ]]; }

up=0
cd "$src"
while IFS= read -r file; do
    from=$(floor "$file")
    while IFS= read -r header; do
        [ -f "$header" ] || continue # generated (build_info.h) or not ours
        to=$(floor "$header")
        if [ "$to" -gt "$from" ] || apart "$file" "$header"; then
            echo "up: $file includes $header"
            up=$((up + 1))
        fi
    done < <(sed -n 's/^#include "\(.*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

[ "$up" -eq 0 ] && echo "every include points down its floors"
exit $((up > 0))
