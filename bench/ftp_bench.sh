#!/usr/bin/env bash
# Runs the FTP benchmark: installs curl (the peer it is measured against)
# when it is missing, then runs build/bench/ftp_bench with the given options.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
if ! command -v curl >/dev/null 2>&1; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends curl
fi
cmake --build "$build" --target ftp_bench
exec "$build/bench/ftp_bench" "$@"
