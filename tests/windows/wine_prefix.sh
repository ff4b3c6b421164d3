#!/usr/bin/env bash
# Makes the wine prefix the cross-built tests run in, fresh for each run: the folders of the
# DLLs they load on its PATH, and Qt Test's output on standard error (a program under wine
# has no console, and wine passes no variable whose name starts with QT_, so both go into
# the prefix's registry).
#   wine_prefix.sh PREFIX DLL_FOLDER...
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift
rm -rf "$WINEPREFIX"
wine wineboot --init >/dev/null 2>&1
path='%PATH%'
for folder in "$@"; do
    path+=";Z:${folder//\//\\}"
done
user_environment='HKCU\Environment'
wine reg add "$user_environment" /v PATH /t REG_EXPAND_SZ /d "$path" /f >/dev/null 2>&1
wine reg add "$user_environment" /v QT_FORCE_STDERR_LOGGING /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add "$user_environment" /v QT_QPA_PLATFORM /t REG_SZ /d minimal /f >/dev/null 2>&1
wineserver -w
