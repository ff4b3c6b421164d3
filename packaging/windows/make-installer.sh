#!/usr/bin/env bash
# Makes the Windows installer of a laid-out program folder (what the zip holds) with NSIS:
#   make-installer.sh FOLDER VERSION ICON OUTPUT.exe
# The installer names each file, and its uninstaller takes exactly those away again, so
# uninstalling never removes what someone else put into the folder.
# shellcheck disable=SC2016 # the $INSTDIR written into the lists is NSIS's, not the shell's
set -euo pipefail
folder=$(cd "$1" && pwd)
version=$2
icon=$(realpath "$3")
output=$(realpath -m "$4")
here=$(cd "$(dirname "$0")" && pwd)
lists=$(mktemp -d)
trap 'rm -rf "$lists" "$output.partial"' EXIT

# A quote or a line break would end an NSIS string, and File takes no escaped $: such a name
# is refused, not mangled.
while IFS= read -r -d '' path; do
    case $path in
        *'"'* | *$'\n'* | *'$'*) echo "make-installer.sh: a file name NSIS cannot hold: $path" >&2; exit 1 ;;
    esac
done < <(find "$folder" -print0)

# Windows separates folders with backslashes.
nsis_text() { printf '%s' "${1//\//\\}"; }

{
    while IFS= read -r -d '' dir; do
        relative=${dir#"$folder"}
        printf 'SetOutPath "$INSTDIR%s"\n' "$(nsis_text "$relative")"
        while IFS= read -r -d '' file; do
            # File takes the build machine's path; only the name reaches Windows.
            printf 'File "%s"\n' "$file"
        done < <(find "$dir" -mindepth 1 -maxdepth 1 -type f -print0 | sort -z)
    done < <(find "$folder" -type d -print0 | sort -z)
} >"$lists/files.nsh"

{
    while IFS= read -r -d '' file; do
        printf 'Delete "$INSTDIR%s"\n' "$(nsis_text "${file#"$folder"}")"
    done < <(find "$folder" -type f -print0 | sort -z)
    # The deepest folders first, each only once empty.
    while IFS= read -r -d '' dir; do
        printf 'RMDir "$INSTDIR%s"\n' "$(nsis_text "${dir#"$folder"}")"
    done < <(find "$folder" -mindepth 1 -type d -print0 | sort -rz)
} >"$lists/deletes.nsh"

size_kb=$(du -sk --apparent-size "$folder" | cut -f1)
rm -f "$output"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$output.partial" \
    -DICON="$icon" -DFILES_NSH="$lists/files.nsh" -DDELETES_NSH="$lists/deletes.nsh" \
    -DSIZE_KB="$size_kb" "$here/tamsel.nsi" >"$lists/makensis.log" 2>&1 ||
    { cat "$lists/makensis.log" >&2; exit 1; }
mv "$output.partial" "$output"
