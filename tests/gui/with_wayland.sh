#!/bin/bash
# Runs a command in a desktop session of its own on a Wayland compositor,
# started for it and stopped again; the command's exit status is this
# script's (77, a skip, when the compositor cannot run here).
#
#   with_wayland.sh SESSION COMMAND [ARGUMENT...]
#
# SESSION: sway, weston (native Wayland clients), weston-xwayland (weston
# with XWayland: DISPLAY is set too), mutter, kwin. The command finds
# WAYLAND_DISPLAY, XDG_RUNTIME_DIR, HOME, VELUNOR_TEST_SESSION=SESSION and,
# for sway, SWAYSOCK. sway and weston run on their X11 backends inside a
# private Xvfb, whose display is VELUNOR_TEST_INPUT_DISPLAY: their seats
# then have a keyboard and a pointer that xdotool drives there (headless,
# sway's seat has no pointer and weston's no seat at all). mutter and kwin
# run headless and get no input.
#
# Compositors refuse to run as root: as root, the session (and the command)
# runs as the user nobody, in mount, network and process namespaces of its
# own, so that the X displays it makes cannot meet those of other programs
# and nothing of it outlives it.
set -u
session=$1
shift

if [ "$(id -u)" = 0 ] && [ -z "${VELUNOR_WAYLAND_INSIDE:-}" ]; then
  # A private /tmp (X sockets and lock files) and a private abstract
  # socket namespace (the network namespace's); the process namespace ends
  # every process of the session with it, also one that left the group.
  exec unshare --mount --net --pid --fork --mount-proc env VELUNOR_WAYLAND_INSIDE=1 \
    bash -c 'mount -t tmpfs -o mode=1777 tmpfs /tmp && exec "$0" "$@"' "$0" "$session" "$@"
fi

as_user() {
  if [ "$(id -u)" = 0 ]; then
    setpriv --reuid 65534 --regid 65534 --clear-groups -- "$@"
  else
    "$@"
  fi
}
skip() {
  echo "SKIPPED on $session: $*"
  exit 77
}

workdir=$(mktemp -d)
chmod 755 "$workdir"
runtime=$workdir/runtime
home=$workdir/home
mkdir -m 700 "$runtime" "$home"
[ "$(id -u)" = 0 ] && chown 65534:65534 "$runtime" "$home"
pids=()
stop_session() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$workdir"
}
trap stop_session EXIT

# The variables of the session, and no others of the caller's desktop.
session_env=(env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK -u QT_QPA_PLATFORM
  XDG_RUNTIME_DIR="$runtime" HOME="$home" XDG_CONFIG_HOME="$home/.config"
  VELUNOR_TEST_SESSION="$session")

# Waits up to 15 s for a file to appear, while process $2 runs.
wait_for() {
  for _ in $(seq 300); do
    compgen -G "$1" >/dev/null && return 0
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

# Starts Xvfb for the compositor's X11 backend; sets input_display.
start_input_display() {
  as_user Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    9>"$workdir/display" 2>"$workdir/xvfb.log" &
  pids+=($!)
  for _ in $(seq 200); do
    [ -s "$workdir/display" ] && break
    sleep 0.05
  done
  [ -s "$workdir/display" ] || { cat "$workdir/xvfb.log" >&2; exit 1; }
  input_display=:$(head -n 1 "$workdir/display")
  session_env+=(VELUNOR_TEST_INPUT_DISPLAY="$input_display")
}

# Starts the compositor ($@) with its log, waits for its socket $1 (a glob
# in the runtime directory) and sets WAYLAND_DISPLAY.
start_compositor() {
  local socket=$1
  shift
  as_user "${session_env[@]}" "$@" >"$workdir/compositor.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  if ! wait_for "$runtime/$socket" "$pid"; then
    echo "the compositor did not start:" >&2
    tail -n 20 "$workdir/compositor.log" >&2
    exit 1
  fi
  local name
  name=$(cd "$runtime" && compgen -G "$socket" | grep -v '\.lock$' | head -n 1)
  session_env+=(WAYLAND_DISPLAY="$name")
}

case "$session" in
  sway)
    command -v sway >/dev/null || skip "sway is not installed (make deps installs it)"
    start_input_display
    printf '%s\n' 'output * resolution 1280x800 position 0 0' 'xwayland disable' \
      'for_window [app_id=".*"] floating enable' 'focus_on_window_activation focus' \
      >"$workdir/sway.conf"
    start_compositor 'wayland-*' env DISPLAY="$input_display" WLR_BACKENDS=x11 \
      WLR_RENDERER=pixman WLR_X11_OUTPUTS=1 sway -c "$workdir/sway.conf"
    wait_for "$runtime/sway-ipc.*" "${pids[-1]}" || exit 1
    session_env+=(SWAYSOCK="$(compgen -G "$runtime/sway-ipc.*")")
    ;;
  weston | weston-xwayland)
    command -v weston >/dev/null || skip "weston is not installed (make deps installs it)"
    start_input_display
    xwayland=()
    [ "$session" = weston-xwayland ] && xwayland=(--xwayland)
    # No on-screen keyboard: it would open over the window at every text box.
    printf '%s\n' '[input-method]' 'path=' >"$workdir/weston.ini"
    start_compositor velunor-weston env DISPLAY="$input_display" weston \
      --config="$workdir/weston.ini" --backend=x11-backend.so --use-pixman --width=1280 \
      --height=800 --socket=velunor-weston --debug "${xwayland[@]}"
    if [ "$session" = weston-xwayland ]; then
      # Its X server starts at once, on the first free display.
      for _ in $(seq 300); do
        grep -q 'xserver listening on display' "$workdir/compositor.log" && break
        sleep 0.05
      done
      x_display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' \
        "$workdir/compositor.log" | head -n 1)
      [ -n "$x_display" ] || { echo "weston started no X server" >&2; exit 1; }
      session_env+=(DISPLAY="$x_display")
    fi
    ;;
  mutter)
    command -v mutter >/dev/null || skip "mutter is not installed (make deps installs it)"
    start_compositor 'wayland-*' dbus-run-session -- mutter --headless --wayland --no-x11 \
      --virtual-monitor 1280x800
    ;;
  kwin)
    command -v kwin_wayland >/dev/null || skip "kwin_wayland is not installed (make deps installs it)"
    # Its file capability (CAP_SYS_RESOURCE) is outside this process's
    # bounding set: the system refuses to run the file itself, a copy runs.
    cp "$(command -v kwin_wayland)" "$workdir/kwin_wayland"
    start_compositor velunor-kwin dbus-run-session -- \
      "$workdir/kwin_wayland" --virtual --socket velunor-kwin --width 1280 --height 800 \
      --no-lockscreen --no-global-shortcuts
    ;;
  *)
    echo "unknown session $session" >&2
    exit 2
    ;;
esac

as_user "${session_env[@]}" "$@"
