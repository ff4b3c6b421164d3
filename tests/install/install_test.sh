#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses the installed programs as a user
# would: the layout a desktop and a Debian package expect, tamsel-gen from the PATH, and
# the program itself under a virtual display, driven by key presses, as a user who cannot
# write the prefix: it must find its help page in share/tamsel and keep its settings in
# $XDG_CONFIG_HOME/tamsel. Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2

work=$(mktemp -d)
xvfb=
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$work/prefix
# Twice, as an update over an older install would: one working program either way.
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/tamsel bin/tamsel-gen share/tamsel/Html/index.html \
    share/applications/tamsel.desktop share/metainfo/org.example.tamsel.metainfo.xml \
    share/man/man1/tamsel.1.gz share/man/man1/tamsel-gen.1.gz share/doc/tamsel/README.md \
    share/doc/tamsel/copyright share/doc/tamsel/LICENSE \
    share/bash-completion/completions/tamsel-gen \
    share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/tamsel.png; do
    [ -s "$prefix/$file" ] || fail "not installed: $file"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/tamsel.desktop" || fail "desktop entry"
fi
grep -q '^Name\[ja\]=' "$prefix/share/applications/tamsel.desktop" || fail "no Name[ja]"
# The metainfo with the desktop entry it names, as a software centre finds them.
if command -v appstreamcli >/dev/null; then
    appstreamcli validate-tree --pedantic --no-net "$prefix" >"$work/appstream.txt" 2>&1 ||
        fail "appstreamcli validate-tree: $(cat "$work/appstream.txt")"
fi
echo "ok: layout"

# The rest runs as a user who may not write the prefix, as after a system-wide install.
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: the installed program as another user needs root (setpriv)"
    exit 0
fi
home=$work/home
mkdir -p "$home" "$work/fakebin"
chmod 755 "$work"
# The desktop's opener, replaced by one that notes what it was asked to open.
cat >"$work/fakebin/xdg-open" <<'OPENER'
#!/bin/sh
echo "$@" >>"$HOME/opened"
OPENER
chmod 755 "$work/fakebin/xdg-open"
cp "$source/scripts/demo_profile.json" "$home/profile.json"
chown -R nobody:nogroup "$home"
as_user() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env \
        env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
        PATH="$work/fakebin:$prefix/bin:/usr/bin:/bin" LC_ALL=C.UTF-8 TZ=Asia/Tokyo \
        DISPLAY="${DISPLAY:-}" "$@"
}

as_user tamsel-gen --version | grep -qx 'tamsel-gen (Tamsel) 1\.2\.0\.0' ||
    fail "tamsel-gen --version"
as_user tamsel-gen --help | grep -qF "$prefix/share/doc/tamsel/README.md" ||
    fail "tamsel-gen --help does not name the installed README"
as_user sh -c 'cd "$HOME" && tamsel-gen package profile.json -o out.sql' ||
    fail "tamsel-gen package"
head -c 200 "$home/out.sql" | iconv -f CP932 -t UTF-8 | grep -q 'CREATE OR REPLACE PACKAGE' ||
    fail "the package is not what tamsel-gen writes"
[ -s "$home/cache/tamsel/tamsel_demo.sqlite" ] || fail "the demo database is not in the cache"
echo "ok: tamsel-gen from the PATH"

# The program under a virtual display of its own, driven by key presses.
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
as_user tamsel >"$work/app.log" 2>&1 &
app=$!
key() { xdotool key --delay 60 "$@"; sleep 0.3; }
typed() { xdotool type --delay 60 "$1"; sleep 0.3; }
xdotool search --sync --name 'ログイン' >/dev/null
sleep 1
typed scott && key Return   # the user field upper-cases as typed
key Return                  # no password for the demo database
typed demo && key Return    # the service, and Enter logs on
xdotool search --sync --name '^Tamsel$' >/dev/null
sleep 1
# The help menu is the last of the menu bar: Alt, then Left from the first, Down opens it,
# C is its help item.
key alt && key Left && key Down && key c
for _ in $(seq 30); do [ -s "$home/opened" ] && break; sleep 0.2; done
grep -q "share/tamsel/Html/index.html" "$home/opened" 2>/dev/null ||
    fail "the help page was not opened from share/tamsel ($(cat "$home/opened" 2>/dev/null))"
echo "ok: the installed program found its help page"

key ctrl+q && key Return    # close, and Yes to the question
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
kill -0 "$app" 2>/dev/null && fail "the program did not end"
app=
ini=$home/config/tamsel/Ostrel.ini
[ -s "$ini" ] || fail "no settings in \$XDG_CONFIG_HOME/tamsel ($(cat "$work/app.log"))"
grep -q '^UserNM=SCOTT' "$ini" && grep -q '^Alias=DEMO' "$ini" || fail "settings: $(cat "$ini")"
[ -e "$prefix/bin/Ostrel.ini" ] && fail "settings written beside the installed program"
echo "ok: settings in \$XDG_CONFIG_HOME/tamsel"
