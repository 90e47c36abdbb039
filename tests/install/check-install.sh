#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop and
# a user meet there: the files in their places, the launcher entry and the
# software-centre description accepted by the validators, the programs'
# --help and --version, and the installed programs finding their data files
# under their own prefix.
#
#   check-install.sh BUILD_DIR VERSION
set -eu
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

app=jp.norvane.kelvopad
for f in bin/kelvopad bin/kelvo-tool \
         share/kelvopad/HTMLELEMENT.TXT share/kelvopad/HTMLTAG.TXT share/kelvopad/STYLEELEMENT.TXT \
         share/kelvopad/inittemp.htm share/kelvopad/templates/templates.txt \
         share/kelvopad/components/components.txt share/kelvopad/help/index.html \
         share/kelvopad/help/index.en.html share/kelvopad/translations/kelvopad_en.qm \
         share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
         share/icons/hicolor/scalable/apps/kelvopad.svg \
         share/man/man1/kelvopad.1.gz share/man/man1/kelvo-tool.1.gz \
         share/doc/kelvopad/copyright share/doc/kelvopad/changelog.gz; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/kelvopad.png
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] \
    || fail "icon $size is missing or of another size"
done
# Every image the manual shows is installed beside it.
for img in $(cat "$prefix"/share/kelvopad/help/index*.html | grep -o 'src="[^"]*"' | sed 's/src="//; s/"$//' | sort -u); do
  [ -s "$prefix/share/kelvopad/help/$img" ] || fail "the manual's image $img is not installed"
done

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
grep -q '^Icon=kelvopad$' "$prefix/share/applications/$app.desktop" || fail "desktop entry icon"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >"$work/as.log" 2>&1 \
  || { cat "$work/as.log" >&2; fail "metainfo"; }
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app.metainfo.xml" \
  || fail "metainfo names another version"
for page in kelvopad kelvo-tool; do
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>"$work/man.log" >/dev/null
  [ ! -s "$work/man.log" ] || { cat "$work/man.log" >&2; fail "man page $page"; }
done

# --help and --version print without a display.
[ "$(env -u DISPLAY QT_QPA_PLATFORM= "$prefix/bin/kelvopad" --version)" = "kelvopad $version" ] \
  || fail "kelvopad --version"
env -u DISPLAY QT_QPA_PLATFORM= "$prefix/bin/kelvopad" --help | grep -q -- '--version' \
  || fail "kelvopad --help"
[ "$("$prefix/bin/kelvo-tool" --version)" = "kelvo-tool $version" ] || fail "kelvo-tool --version"
# Every option the usage lines accept is described on a line of its own.
"$prefix/bin/kelvo-tool" --help >"$work/help.txt"
for option in $(sed -n '/^usage:/,/^code names:/p' "$work/help.txt" | grep -oE -- '[ [|]-{1,2}[a-z][-a-z]*' | cut -c2- | sort -u); do
  grep -q -- "^ *$option[ ,]" "$work/help.txt" || fail "kelvo-tool --help does not describe $option"
done

# A new document is made from the installed initial template: nothing in
# the user's data folder, and the build tree is not beside the program.
printf 'x' >"$work/page.htm"
KELVO_DATA_DIR=$work/userdata "$prefix/bin/kelvo-tool" exec --config "$work/config" \
  --command 57600 "$work/page.htm" -o "$work/new.htm" >/dev/null
grep -q '<BODY>' "$work/new.htm" 2>/dev/null || fail "the installed program does not find its template"

[ "$failures" -eq 0 ] || exit 1
echo "installed tree checked"
