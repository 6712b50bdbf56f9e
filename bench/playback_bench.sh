#!/usr/bin/env bash
# Continuous playback of the whole program through real audio output: starts
# a PulseAudio server of its own with a null sink and runs playback_measure
# against the sink's monitor (the figures are described there). Where no
# server can be started, the figures come from the program rendering on a
# clock of the bench's own, and standard error says so.
set -euo pipefail
build="$1"
here="$(cd "$(dirname "$0")/.." && pwd)"
case "$build" in
  /*) ;;
  *) build="$here/$build" ;;
esac
measure="$build/bench/playback_measure"
[ -x "$measure" ] || { echo "playback_bench: $measure is not built" >&2; exit 1; }

work="$(mktemp -d /tmp/vusk-bench-pulse-XXXXXX)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# FluidSynth names the driver it opens on every song; that is not a figure.
run_measure() {
  "$measure" "$@" 2> >(grep -v '^fluidsynth: Using' >&2)
}

# A server that lives in $work, reached only through its own socket, with
# no session bus or display to touch; as root or as a user.
start_pulse() {
  command -v pulseaudio >/dev/null && command -v pactl >/dev/null && command -v parec >/dev/null ||
    return 1
  mkdir -p "$work/pulse" "$work/home" "$work/xdg"
  chmod 700 "$work/xdg"
  echo "autospawn = no" >"$work/pulse/client.conf"
  export HOME="$work/home" XDG_RUNTIME_DIR="$work/xdg" PULSE_RUNTIME_PATH="$work/pulse"
  export PULSE_STATE_PATH="$work/pulse" PULSE_CLIENTCONFIG="$work/pulse/client.conf"
  export PULSE_SERVER="unix:$work/pulse/native"
  env -u DISPLAY DBUS_SESSION_BUS_ADDRESS=disabled: \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --system=false --disable-shm=yes \
    --load="module-null-sink sink_name=vusk_bench rate=44100 channels=2" \
    --load="module-native-protocol-unix socket=$work/pulse/native auth-anonymous=1" \
    >"$work/pulse.log" 2>&1 &
  pids+=("$!")
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && return 0
    kill -0 "${pids[-1]}" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}

if start_pulse; then
  run_measure --monitor vusk_bench.monitor
else
  echo "playback_bench: no PulseAudio server could be started; the figures below are offline" >&2
  [ -s "$work/pulse.log" ] && tail -3 "$work/pulse.log" >&2
  unset PULSE_SERVER
  run_measure
fi
