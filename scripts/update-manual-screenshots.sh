#!/usr/bin/env bash
# Takes the user manual's pictures of the program as built (the GUI test
# ManualShots) and puts them next to the manual, from where they are
# installed with it. Run after a change to a dialog the manual shows.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
cmake --build "$build" --target tst_gui
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -R '^tst_gui\.ManualShots$' --output-on-failure
mkdir -p "$here/data/help/screenshots/en"
cp "$build"/screenshots/manual/*.png "$here/data/help/screenshots/"
cp "$build"/screenshots/manual/en/*.png "$here/data/help/screenshots/en/"
echo "updated: $(cd "$here/data/help/screenshots" && ls *.png en/*.png | tr '\n' ' ')"
