#!/usr/bin/env bash
# The installed program: `cmake --install` of this build into a fresh prefix
# puts velmo into bin/ and the shipped data into share/velmo/; the installed
# velmo, started headless from a working folder outside the build and the
# source tree, runs a copy of the demo command file on a copy of the demo
# project and ends with 0. Arguments: build folder, source folder.
set -euo pipefail
build=$1
quelle=$2
tmp=$(mktemp -d "${TMPDIR:-/tmp}/velmo-install-XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fehler() { echo "installation_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
[ -x "$tmp/prefix/bin/velmo" ] || fehler "bin/velmo is missing"
# The shipped data as in data/, and the books made at build time beside it.
buecher="Velmo.pdf PDFIndex.txt Velmo-Handbuch.pdf Velmo-Bauteile.pdf"
diff -r $(for b in $buecher; do echo "-x $b"; done) "$quelle/data" "$tmp/prefix/share/velmo" >&2 ||
  fehler "share/velmo differs from data/"
for b in $buecher; do
  [ -s "$tmp/prefix/share/velmo/$b" ] || fehler "share/velmo/$b is missing"
done
qpdf --check "$tmp/prefix/share/velmo/Velmo-Handbuch.pdf" >/dev/null || fehler "the manual fails qpdf --check"

mkdir -p "$tmp/arbeit" "$tmp/konfig" "$tmp/heim"
cp -r "$quelle/demo" "$tmp/arbeit/demo"
cd "$tmp/arbeit/demo"
status=0
HOME="$tmp/heim" XDG_CONFIG_HOME="$tmp/konfig" VELMO_BACKEND=headless \
  timeout 60 "$tmp/prefix/bin/velmo" -W=1 -A=start.txt >"$tmp/ausgabe" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  cat "$tmp/ausgabe" >&2
  fehler "the installed velmo ended with $status"
fi
# The log names the opened project: the command file really ran.
grep -rqa "Projektordner Projekt ge" "$tmp/arbeit" || fehler "no log of the demo command file under the working folder"
