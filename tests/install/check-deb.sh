#!/bin/sh
# Builds the Debian package of the build with CPack and checks it as the
# archive would: lintian finds no error and no warning, the package depends
# on what Qt and the editor load at run time, and it holds the programs.
#
#   check-deb.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; exit 1; }
deb=$(ls "$work"/kelvopad_*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for p in qt6-qpa-plugins fonts-noto-cjk qt6-translations-l10n xdg-utils libqt6widgets6 libtidy5deb1; do
  echo "$depends" | grep -q "\b$p\b" || fail "Depends lacks $p: $depends"
done
dpkg-deb -c "$deb" >"$work/contents"
for f in ./usr/bin/kelvopad ./usr/bin/kelvo-tool ./usr/share/kelvopad/help/index.html \
         ./usr/share/applications/jp.norvane.kelvopad.desktop ./usr/share/man/man1/kelvopad.1.gz; do
  grep -q " $f\$" "$work/contents" || fail "$f is not in the package"
done

# Informational tags (hardening hints, data files read as documentation)
# do not fail the check; errors and warnings do.
lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'root privileges' || true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || fail "lintian"

[ "$failures" -eq 0 ] || exit 1
echo "package checked: $(basename "$deb")"
