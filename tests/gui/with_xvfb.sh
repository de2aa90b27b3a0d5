#!/bin/bash
# Runs a command on a display of its own: starts Xvfb on a free display
# number, exports DISPLAY, runs the command and stops the server again.
# The command's exit status is this script's.
#
#   with_xvfb.sh [--openbox] COMMAND [ARGUMENT...]
#
# With --openbox the window manager openbox runs on that display too, with
# its stock configuration, as on a user's desktop; the command then finds
# VELUNOR_TEST_WINDOW_MANAGER=openbox in its environment (empty on the bare
# server).
set -u

window_manager=""
if [ "${1:-}" = --openbox ]; then
  window_manager=openbox
  shift
fi
export VELUNOR_TEST_WINDOW_MANAGER=$window_manager

workdir=$(mktemp -d)
xvfb_pid=""
wm_pid=""
stop_servers() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$workdir"
}
trap stop_servers EXIT

# -displayfd: the server picks a free display number and writes it to the
# descriptor once it accepts clients.
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp -noreset 9>"$workdir/display" \
  2>"$workdir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do
  [ -s "$workdir/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$workdir/display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$workdir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$workdir/display")"
unset WAYLAND_DISPLAY

if [ -n "$window_manager" ]; then
  if ! command -v openbox >/dev/null; then
    echo "openbox is not installed (make deps installs it)" >&2
    exit 1
  fi
  # The stock configuration, not the user's; no session manager.
  XDG_CONFIG_HOME="$workdir/config" openbox --sm-disable >"$workdir/wm.log" 2>&1 &
  wm_pid=$!
  # openbox runs once it names itself on the root window (EWMH).
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.05
  done
  if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    echo "openbox did not start:" >&2
    cat "$workdir/wm.log" >&2
    exit 1
  fi
fi

"$@"
exit $?
