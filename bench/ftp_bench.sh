#!/usr/bin/env bash
# Runs the FTP benchmark: installs curl (the peer it is measured against)
# when it is missing, then runs build/bench/ftp_bench and build/bench/sftp_bench
# with the given options.
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

# SFTP next to OpenSSH's sftp, on a local sshd started by the benchmark.
run_sftp_bench() {
  cmake --build "$build" --target sftp_bench
  "$build/bench/sftp_bench" "$@"
}

cmake --build "$build" --target ftp_bench
status=0
"$build/bench/ftp_bench" "$@" || status=1
run_sftp_bench "$@" || status=1
exit "$status"
