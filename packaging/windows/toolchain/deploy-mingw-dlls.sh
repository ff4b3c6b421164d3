#!/bin/sh
# Copy the DLLs that a mingw-built Qt exe needs next to it (recursive, by objdump).
# usage: deploy-mingw-dlls.sh <qt-prefix> <dest-dir> <exe-or-dll>...
# Also copies plugins/platforms/qwindows.dll, plugins/styles/qwindowsvistastyle.dll,
# plugins/sqldrivers/*.dll and plugins/imageformats/*.dll into <dest-dir>/<type>/.
# The copied DLLs are stripped (libstdc++-6.dll shrinks from ~23 MB to ~2 MB);
# set NOSTRIP=1 to keep them as they are.
set -e
QT="$1"; DEST="$2"; shift 2
GCCDIR=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
SEARCH="$QT/bin $GCCDIR /usr/x86_64-w64-mingw32/lib"
mkdir -p "$DEST"
for t in platforms styles sqldrivers imageformats; do
  [ -d "$QT/plugins/$t" ] && mkdir -p "$DEST/$t" && cp -u "$QT/plugins/$t"/*.dll "$DEST/$t/"
done
todo="$* $(ls "$DEST"/*/*.dll)"
seen=""
while [ -n "$todo" ]; do
  next=""
  for f in $todo; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
      case " $seen " in *" $dll "*) continue;; esac
      seen="$seen $dll"
      for d in $SEARCH; do
        if [ -f "$d/$dll" ]; then cp -u "$d/$dll" "$DEST/"; next="$next $DEST/$dll"; break; fi
      done
    done
  done
  todo="$next"
done
if [ -z "$NOSTRIP" ]; then
  find "$DEST" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
fi
ls "$DEST"
