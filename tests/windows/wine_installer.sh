#!/usr/bin/env bash
# The Windows installer under wine, in a fresh prefix: an older version is installed first
# and this one silently over it, which must leave exactly the program folder's files (none
# of the older version's), one uninstall entry with this version, the publisher, the icon
# and the size, and the Start-menu entries; the installed tamsel-gen.exe must write what
# the Linux tamsel-gen writes and the installed tamsel.exe show its logon window; the silent
# uninstall must then take every installed file, menu entry and the uninstall entry away,
# and leave the user's settings and an administrator's Ostrel.ini beside the program.
#   wine_installer.sh LINUX_TAMSEL_GEN SETUP.exe ZIP SOURCE_FOLDER WORK_FOLDER
set -uo pipefail
linux_gen=$1
setup=$2
zip=$3
source=$4
work=$5
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
failures=0
check() { # check DESCRIPTION COMMAND...
    local description=$1
    shift
    if "$@"; then
        echo "ok   installer: $description"
    else
        echo "FAIL installer: $description"
        failures=$((failures + 1))
    fi
}
xvfb=
cleanup() {
    wineserver -k 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT

# The display comes first: wine's desktop process, started with the prefix, draws every window.
display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export TZ=Asia/Tokyo SOURCE_DATE_EPOCH=989643789 LC_ALL=C.UTF-8
wine wineboot --init >/dev/null 2>&1
installed="$WINEPREFIX/drive_c/Program Files/Tamsel"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tamsel"
version=$(sed -n 's/^project(Tamsel VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
run_windows() { timeout 300 wine "$@"; }
finished() { wineserver -w; } # the uninstaller returns before its copy in %TEMP% is done
uninstall_value() {           # uninstall_value NAME: the entry's value as reg shows it
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamsel' \
        /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
entries_named_tamsel() { grep -c '^"DisplayName"="Tamsel"' "$WINEPREFIX/system.reg"; }
lnk_names() { grep -aq "$2" "$menu/$1"; }

# An older version with a file this one no longer has.
mkdir -p "$work/old"
printf 'old\n' >"$work/old/tamsel-gen.exe"
printf 'old\n' >"$work/old/obsolete.dll"
"$source/packaging/windows/make-installer.sh" "$work/old" 1.1.0.0 \
    /usr/share/nsis/Contrib/Graphics/Icons/modern-install.ico "$work/old-setup.exe" ||
    { echo "FAIL installer: the older version's installer could not be made"; exit 1; }
run_windows "$work/old-setup.exe" /S && finished
[ -f "$installed/obsolete.dll" ] || { echo "FAIL installer: the older version did not install"; exit 1; }

run_windows "$setup" /S
check "silent install over the older version ends with status 0" test $? -eq 0
finished
unzip -q "$zip" -d "$work/zip"
check "the program folder holds what the zip holds, and the uninstaller" \
    diff -r -x uninstall.exe "$work/zip/$(basename "$zip" .zip)" "$installed"
check "the uninstaller is installed" test -s "$installed/uninstall.exe"
check "one uninstall entry" test "$(entries_named_tamsel)" = 1
check "its version is $version" test "$(uninstall_value DisplayVersion)" = "$version"
check "its publisher" test "$(uninstall_value Publisher)" = "The Tamsel developers"
check "its icon is the program's" test "$(uninstall_value DisplayIcon)" = 'C:\Program Files\Tamsel\tamsel.exe,0'
size_kb=$(($(uninstall_value EstimatedSize)))
actual_kb=$(du -sk --apparent-size "$installed" | cut -f1)
check "its estimated size, ${size_kb} KB, is the folder's ${actual_kb} KB within a tenth" \
    test $((size_kb * 10)) -ge $((actual_kb * 9)) -a $((size_kb * 10)) -le $((actual_kb * 11))
check "a Start-menu entry starts the program" lnk_names Tamsel.lnk 'Tamsel\\tamsel.exe'
check "a Start-menu entry opens the help page" lnk_names 'Tamselヘルプ.lnk' 'Html\\index.html'

# The installed programs, started from Program Files.
"$linux_gen" package "$source/scripts/demo_profile.json" -o "$work/linux.sql"
run_windows "$installed/tamsel-gen.exe" package "$source/scripts/demo_profile.json" \
    -o "$work/windows.sql"
check "the installed tamsel-gen.exe writes the Linux bytes" cmp -s "$work/linux.sql" "$work/windows.sql"
check "and the golden package, but for the date line" run_windows "$installed/tamsel-gen.exe" \
    package "$source/tests/data/cli/golden_profile.json" --check \
    "$source/tests/data/cli/package.sql"

run_windows "$installed/tamsel.exe" >"$work/app.log" 2>&1 &
check "the installed tamsel.exe shows its logon window" \
    timeout 120 xdotool search --sync --onlyvisible --name 'ログイン' >/dev/null
xwd -root -silent >"$work/logon.xwd" 2>/dev/null # what the user saw, kept for a look
wineserver -k 2>/dev/null
finished

# The user's settings and an administrator's preset beside the program stay.
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
mkdir -p "$appdata/tamsel"
printf '[Params]\r\nOwner=MINE\r\n' >"$appdata/tamsel/Ostrel.ini"
printf '[Params]\r\nOwner=PRESET\r\n' >"$installed/Ostrel.ini"
run_windows "$installed/uninstall.exe" /S
check "silent uninstall ends with status 0" test $? -eq 0
finished
check "no program file stays, only the administrator's Ostrel.ini" \
    test "$(cd "$installed" && find . -mindepth 1)" = ./Ostrel.ini
check "the Start-menu entries are gone" test ! -e "$menu"
check "the uninstall entry is gone" test "$(entries_named_tamsel)" = 0
check "the user's settings stay as they were" \
    grep -q '^Owner=MINE' "$appdata/tamsel/Ostrel.ini"

[ "$failures" -eq 0 ] || { echo "installer: $failures failed"; exit 1; }
echo "installer: all passed"
