# Private desktop services for the real-window tests and the benchmarks, each
# living in a folder of the caller's and touching nothing of the machine's:
# an X server with a small window manager, and a PulseAudio server with a
# null sink. Source this file; every process started is recorded in
# SESSION_PIDS, and session_stop ends them all.

SESSION_PIDS=()

session_stop() {
  for pid in "${SESSION_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  SESSION_PIDS=()
}

# session_start_display DIR: Xvfb on a free display (exported as DISPLAY)
# and openbox, ready when this returns 0.
session_start_display() {
  local dir=$1
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$dir/display" 2>"$dir/xvfb.log" &
  SESSION_PIDS+=("$!")
  for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  [ -s "$dir/display" ] || return 1
  export DISPLAY=":$(head -1 "$dir/display")"
  openbox --sm-disable >"$dir/openbox.log" 2>&1 &
  SESSION_PIDS+=("$!")
  # The window manager is up once it owns the root window's check property.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.1
  done
  return 1
}

# session_start_pulse DIR SINK RATE: a PulseAudio server reached only through
# its own socket (exported as PULSE_SERVER), with the null sink SINK, and no
# session bus or display; as root or as a user. Its log is DIR/pulse.log.
session_start_pulse() {
  local dir=$1 sink=$2 rate=$3
  command -v pulseaudio >/dev/null && command -v pactl >/dev/null || return 1
  mkdir -p "$dir/pulse" "$dir/home" "$dir/xdg"
  chmod 700 "$dir/xdg"
  echo "autospawn = no" >"$dir/pulse/client.conf"
  export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/xdg" PULSE_RUNTIME_PATH="$dir/pulse"
  export PULSE_STATE_PATH="$dir/pulse" PULSE_CLIENTCONFIG="$dir/pulse/client.conf"
  export PULSE_SERVER="unix:$dir/pulse/native"
  env -u DISPLAY DBUS_SESSION_BUS_ADDRESS=disabled: \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --system=false --disable-shm=yes \
    --load="module-null-sink sink_name=$sink rate=$rate channels=2" \
    --load="module-native-protocol-unix socket=$dir/pulse/native auth-anonymous=1" \
    >"$dir/pulse.log" 2>&1 &
  SESSION_PIDS+=("$!")
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && return 0
    kill -0 "${SESSION_PIDS[-1]}" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}
