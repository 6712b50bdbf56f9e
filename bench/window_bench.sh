#!/usr/bin/env bash
# Start-up and idle figures of the real program in a real window:
#   startup_to_first_frame_ms  exec to the main window's first paint
#   idle_cpu_percent           process CPU over 10 s with the window idle
set -euo pipefail
build="$1"
here="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d /tmp/vusk-bench-XXXXXX)"
source "$here/scripts/private-session.sh"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  session_stop
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

session_start_display "$work" || { echo "window_bench: no X server could be started" >&2; exit 1; }

mkdir -p "$work/app"
cp "$here/$build/vusk" "$work/app/vusk"

# Start-up: the median of five starts.
times=()
for run in 1 2 3 4 5; do
  rm -f "$work/app/MidiList.txt"
  start=$(date +%s%N)
  (cd "$work/app" && VUSK_REPORT_FIRST_FRAME=1 exec ./vusk 2>"$work/stderr.$run") &
  pid=$!
  for _ in $(seq 200); do grep -q first_frame "$work/stderr.$run" 2>/dev/null && break; sleep 0.05; done
  frame=$(awk '/first_frame_realtime_ns/ { print $2 }' "$work/stderr.$run")
  if [ "$run" -lt 5 ]; then kill "$pid"; wait "$pid" 2>/dev/null || true; else idle_pid=$pid; pids+=("$pid"); fi
  [ -n "$frame" ] && times+=($(( (frame - start) / 1000 )))
done
if [ ${#times[@]} -gt 0 ]; then
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
  awk -v us="$median" 'BEGIN { printf "startup_to_first_frame_ms: %.1f ms\n", us / 1000 }'
else
  echo "startup_to_first_frame_ms: nan ms"
fi

# Idle: CPU ticks of the last instance over ten seconds of an untouched window.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
sleep 2
before=$(ticks "$idle_pid")
sleep 10
after=$(ticks "$idle_pid")
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "idle_cpu_percent: %.1f %%\n", 100 * t / hz / 10 }'
