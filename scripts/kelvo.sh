#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kelvopad, builds it, and then either starts
# the editor or runs every test.
#
#   scripts/kelvo.sh run [FILE]   install what is missing, build, start the editor
#   scripts/kelvo.sh test         install what is missing, build, run all tests
#
# Packages are installed with apt-get (through sudo when not run as root).
# The build goes to ./build; BUILD_DIR moves it.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
mode="${1:-}"
shift || true

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libglx-dev qt6-tools-dev qt6-l10n-tools
  qt6-qpa-plugins qt6-translations-l10n qt6-webengine-dev libqt6webenginecore6-bin
  fonts-noto-cjk fonts-dejavu-core xdg-utils
  python3 python3-pyftpdlib python3-openssl python3-html5lib python3-tinycss2 vsftpd openssl curl
  imagemagick xvfb openbox xdotool x11-xkb-utils
  acl nkf poppler-utils librsvg2-bin adwaita-icon-theme
  debian-reference-ja developers-reference-ja tzdata
  libssh-dev openssh-server openssh-client qtkeychain-qt6-dev libtidy-dev tidy
  desktop-file-utils appstream man-db lintian file
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build() {
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j2
}

case "$mode" in
  run)
    install_missing
    build
    exec "$build/src/kelvopad" "$@"
    ;;
  test)
    install_missing
    build
    # Everything the tests need was installed above: a server or a package
    # that is missing now fails its test instead of skipping it.
    KELVO_CI=1 QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j2
    ;;
  *)
    echo "usage: $0 run [FILE] | test" >&2
    exit 2
    ;;
esac
