#!/usr/bin/env bash
# The window under wine, driven by key presses as a user would: log on to the demo database,
# take every table into the candidate list, mark them all public, run the package (F5) and
# save it (Ctrl+S, through the Windows save dialog). The saved file must be what the Linux
# tamsel-gen writes for the same choices (its --check leaves out the header's date line,
# whose time and weekday are the moment's and the locale's).
#   wine_window.sh LINUX_TAMSEL_GEN WINDOWS_DIST_FOLDER WORK_FOLDER
set -uo pipefail
linux_gen=$1
dist=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
fail() {
    echo "FAIL the window under wine: $*"
    [ -n "${DISPLAY:-}" ] && xwd -root -silent >"$work/failed.xwd" 2>/dev/null &&
        echo "(the screen is in $work/failed.xwd)"
    exit 1
}

# The program runs from a copy, so its settings and demo database (beside the executable,
# as on a Windows desktop) stay out of the folder that is zipped.
cp -r "$dist" "$work/app"
printf '[Params]\r\nOwner=WALKER\r\n' >"$work/app/Ostrel.ini"
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    wineserver -k 2>/dev/null
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
# A window manager gives each new window the keyboard, as on a desktop.
openbox >/dev/null 2>&1 &
wm=$!
wine wineboot --init >/dev/null 2>&1

timeout 300 wine "$work/app/tamsel.exe" >"$work/app.log" 2>&1 &
app=$!
key() { xdotool key --delay 80 "$@"; sleep 0.5; }
typed() { xdotool type --delay 60 "$1"; sleep 0.5; }
window() { timeout 60 xdotool search --sync --onlyvisible --name "$1" >/dev/null || fail "no window \"$1\""; sleep 1; }

window 'ログイン'
typed scott && key Return # the user field upper-cases as typed
key Return                # no password for the demo database
typed demo && key Return  # the service, and Enter logs on
window '^Tamsel$'
key Tab                   # from the select button round to the table list
key ctrl+a && key F4      # every table into the candidate list
key alt+h && key p        # 操作 → 公開ﾁｪｯｸ反転: every table public
key F5
sleep 3
xwd -root -silent >"$work/generated.xwd" # what the user saw, kept for a look
key ctrl+s
sleep 3
saved_windows='Z:'${work//\//\\}'\saved.sql'
typed "$saved_windows" && key Return
sleep 2
[ -e "$work/saved.sql" ] || key Return # wine's dialog asks before making a new file
for _ in $(seq 50); do [ -s "$work/saved.sql" ] && break; sleep 0.2; done
[ -s "$work/saved.sql" ] || fail "nothing saved ($(cat "$work/app.log"))"

tables='"DEPT","EMP","BONUS","SALGRADE","ORDER_LOG","部署マスタ","社員台帳"'
printf '{ "service": "DEMO", "user": "SCOTT", "settings": { "Owner": "WALKER" },\n  "tables": [%s] }\n' \
    "$(sed 's/"\([^"]*\)"/{ "name": "\1", "public": true }/g' <<<"$tables")" >"$work/walk.json"
"$linux_gen" package "$work/walk.json" --check "$work/saved.sql" ||
    fail "the saved package differs from the Linux one"
echo "ok   the window under wine: logged on, generated, saved what Linux writes"
