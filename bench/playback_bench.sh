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
source "$here/scripts/private-session.sh"
cleanup() {
  session_stop
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# FluidSynth names the driver it opens on every song; that is not a figure.
run_measure() {
  "$measure" "$@" 2> >(grep -v '^fluidsynth: Using' >&2)
}

start_pulse() {
  command -v parec >/dev/null && session_start_pulse "$work" vusk_bench 44100
}

if start_pulse; then
  run_measure --monitor vusk_bench.monitor
else
  echo "playback_bench: no PulseAudio server could be started; the figures below are offline" >&2
  [ -s "$work/pulse.log" ] && tail -3 "$work/pulse.log" >&2
  unset PULSE_SERVER
  run_measure
fi
