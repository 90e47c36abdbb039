#!/usr/bin/env bash
# Runs a command under a private X server (Xvfb) with a window manager
# (openbox), as a user's desktop would show the program.
#
#   run-under-x.sh WIDTHxHEIGHT COMMAND [ARG...]
#
# The screen has the given size. The command gets DISPLAY and
# QT_QPA_PLATFORM=xcb; its exit status is the script's. The server and the
# window manager end with the script. Nothing here waits for a time: the
# server says when it is ready (-displayfd), openbox runs a command once it
# manages the screen (--startup).
set -euo pipefail

size="${1:?usage: run-under-x.sh WIDTHxHEIGHT COMMAND [ARG...]}"
shift
[[ "$size" =~ ^[0-9]+x[0-9]+$ ]] || { echo "run-under-x: bad size '$size'" >&2; exit 2; }
[ $# -gt 0 ] || { echo "run-under-x: no command" >&2; exit 2; }

work="$(mktemp -d "${TMPDIR:-/tmp}/run-under-x.XXXXXX")"
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Display numbers well above the ones people start by hand; parallel runs
# start at different numbers and step on when one is taken.
display=""
first=$((200 + ($$ % 600)))
for ((n = first; n < first + 100; n++)); do
  [ -e "/tmp/.X$n-lock" ] && continue
  mkfifo "$work/ready"
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset -displayfd 3 \
    3>"$work/ready" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  # The server writes its number when it accepts clients; a server that
  # could not take the display exits and the read ends empty.
  got="$(cat "$work/ready")"
  rm -f "$work/ready"
  if [ "$got" = "$n" ]; then
    display=":$n"
    break
  fi
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
if [ -z "$display" ]; then
  echo "run-under-x: no free display" >&2
  cat "$work/xvfb.log" >&2 || true
  exit 1
fi

# openbox runs its startup command once it manages the screen; its own
# settings and session are kept out of the user's home.
mkfifo "$work/wm-ready"
HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
  DISPLAY="$display" openbox --sm-disable --startup "sh -c 'echo up > $work/wm-ready'" \
  >"$work/openbox.log" 2>&1 &
wm_pid=$!
# If openbox dies first, nobody would write the fifo: the watcher does.
( wait_for=$wm_pid; while kill -0 "$wait_for" 2>/dev/null; do sleep 0.2; done
  echo dead > "$work/wm-ready" ) 2>/dev/null &
watcher=$!
state="$(head -n1 "$work/wm-ready")"
kill "$watcher" 2>/dev/null || true
if [ "$state" != "up" ]; then
  echo "run-under-x: openbox did not start" >&2
  cat "$work/openbox.log" >&2 || true
  exit 1
fi

set +e
DISPLAY="$display" QT_QPA_PLATFORM=xcb KELVO_X_SCREEN="$size" "$@"
status=$?
set -e
exit "$status"
