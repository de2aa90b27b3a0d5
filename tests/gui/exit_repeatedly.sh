#!/bin/bash
# Ends the window program many times through each way out and counts the
# ends that hang (the window gone, the process still there 10 s later) and
# those that failed (another exit status, or the window still open: the
# way out never reached it).
# Run it on a desktop session of its own, e.g.
#
#   tests/gui/with_wayland.sh sway tests/gui/exit_repeatedly.sh build/bin 50
#
# Ways out: "&OK" after an encryption (the clipboard then taken over by
# another program), "Abbrechen", Esc, and the caption bar's close button.
set -u
case "${VELUNOR_TEST_SESSION:-}" in
  "" | weston-xwayland) . "$(dirname "$0")/x11_steps.sh" ;;
  *) . "$(dirname "$0")/wayland_steps.sh" ;;
esac
bin=$1
rounds=${2:-50}
keyword=geheim
fail() { echo "step failed: $*" >&2; }

# Waits up to 10 s for process $1 and sets status to its exit status, or
# to "hang" (and ends it). Not in a subshell: only this shell can wait.
wait_for_end() {
  for _ in $(seq 200); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      status=$?
      return
    fi
    sleep 0.05
  done
  # A window still open means the way out never reached it (an input
  # lost); a process without its window that does not end has hung.
  if [ "$(main_window_count)" = 0 ]; then status=hang; else status="window still open"; fi
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

for way in ok cancel escape close; do
  hangs=0 failures=0
  for _ in $(seq "$rounds"); do
    set_clipboard abc
    "$bin/cmvelunor" &
    pid=$!
    window=$(main_window)
    focus "$window"
    case "$way" in
      ok)
        press ctrl+v
        type_keyword_code_and_ok "$window" 131
        no_main_window_left
        set_clipboard "taken over"
        ;;
      cancel) click_client "$window" 488 311 ;;
      escape) press Escape ;;
      close) click_close_button "$window" ;;
    esac
    wait_for_end "$pid"
    case "$status" in
      0) ;;
      hang) hangs=$((hangs + 1)) ;;
      *)
        failures=$((failures + 1))
        echo "$way: exit status $status" >&2
        ;;
    esac
  done
  echo "$way: $rounds ends, $hangs hung, $failures failed"
done
