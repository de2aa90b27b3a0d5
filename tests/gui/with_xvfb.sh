#!/bin/bash
# Runs a command on a display of its own: starts Xvfb on a free display
# number, exports DISPLAY, runs the command and stops the server again.
# The command's exit status is this script's.
set -u

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

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
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
export DISPLAY=":$(head -n 1 "$workdir/display")"
unset WAYLAND_DISPLAY

"$@"
status=$?

kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit "$status"
