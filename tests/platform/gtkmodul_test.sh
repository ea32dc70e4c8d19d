#!/usr/bin/env bash
# The desktop backend is a module the program opens only when it needs it:
# a headless start of the built velmo on a copy of the demo loads no GTK
# library (nor poppler or qpdf, opened with the first PDF), and a start that asks for the desktop finds the module beside the
# program (without a display it then fails to open one, not to find the
# backend). Arguments: build folder, source folder.
set -euo pipefail
build=$(cd "$1" && pwd)
quelle=$(cd "$2" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/velmo-gtkmodul-XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fehler() { echo "gtkmodul_test: $*" >&2; exit 1; }

cp -r "$quelle/demo/Projekt" "$quelle/demo/start.txt" "$tmp/"
cp "$quelle/data/BAUTEILE.STD" "$tmp/"
mkdir "$tmp/cfg" "$tmp/lader"
cd "$tmp"
export XDG_CONFIG_HOME="$tmp/cfg" XDG_RUNTIME_DIR="$tmp"

status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u VELMO_BACKEND LD_DEBUG=files LD_DEBUG_OUTPUT="$tmp/lader/ld" \
  timeout 60 "$build/velmo" -W=1 -A=start.txt >"$tmp/aus" 2>&1 || status=$?
[ "$status" -eq 0 ] || { cat "$tmp/aus" >&2; fehler "the headless start ended with $status"; }
grep -q "calling init:" "$tmp"/lader/ld.* || fehler "no loader log"
if grep -q "calling init:.*libgtk" "$tmp"/lader/ld.*; then fehler "a headless start loaded GTK"; fi
if grep -q "calling init:.*libpoppler" "$tmp"/lader/ld.*; then fehler "a start without a PDF loaded poppler"; fi
if grep -q "calling init:.*libqpdf" "$tmp"/lader/ld.*; then fehler "a start without a PDF loaded qpdf"; fi
rm -f "$tmp"/lader/ld.*

status=0
env -u DISPLAY -u WAYLAND_DISPLAY VELMO_BACKEND=gtk timeout 60 "$build/velmo" -W=1 -A=start.txt \
  >"$tmp/aus" 2>&1 || status=$?
[ "$status" -ne 0 ] || fehler "the desktop backend started without a display"
if grep -q "unbekannte Oberflaeche" "$tmp/aus"; then cat "$tmp/aus" >&2; fehler "the desktop module was not found"; fi
if grep -q "nicht ladbar" "$tmp/aus"; then cat "$tmp/aus" >&2; fehler "the desktop module did not load"; fi
exit 0
