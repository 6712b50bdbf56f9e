# Shared set-up for the real-window tests: a private X server with a small
# window manager, the real executable installed in a temporary folder of its
# own, and helpers that act on its windows as a person would.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/private-session.sh"

VUSK_BIN="$1"
WORK="$(mktemp -d /tmp/vusk-realwindow-XXXXXX)"
PIDS=()
MAIN_TITLE="Vusk-MIDI連続繰り返し再生"
ABOUT_TITLE="Vuskバージョン情報と説明"

cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  session_stop
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then import -window root "$WORK/failure.png" 2>/dev/null && cp "$WORK/failure.png" /tmp/vusk-realwindow-failure.png || true; fi
  exit 1
}

start_display() {
  session_start_display "$WORK" || fail "the X server or the window manager did not start"
}

# Installs the executable in a folder of its own and starts it there.
start_vusk() {
  mkdir -p "$WORK/app"
  cp "$VUSK_BIN" "$WORK/app/vusk"
  (cd "$WORK/app" && exec env "$@" ./vusk >"$WORK/vusk.log" 2>&1) &
  VUSK_PID=$!
  PIDS+=("$VUSK_PID")
  MAIN=$(wait_window "$MAIN_TITLE") || fail "the main window did not appear"
}

# Prints the id of the visible window named exactly $1, waiting up to 20 s.
wait_window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Succeeds when no visible window is named $1 within 10 s.
wait_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Dialog base units of window $1, from its client size and its template's size
# in dialog units ($2 wide, $3 high).
base_units() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  BX=$(( (WIDTH * 4 + $2 / 2) / $2 ))
  BY=$(( (HEIGHT * 8 + $3 / 2) / $3 ))
}

# Clicks the centre of the dialog-unit rectangle x y w h of window $1.
click_dlu() {
  local win=$1 x=$2 y=$3 w=$4 h=$5
  local px=$(( (2 * x + w) * BX / 8 ))
  local py=$(( (2 * y + h) * BY / 16 ))
  xdotool mousemove --window "$win" "$px" "$py" click 1
}

# The window manager's close request, as its close box sends it.
close_request() {
  wmctrl -i -c "$1"
}

# Writes a screenshot of window $1 to $2.
shot() {
  import -window "$1" "$2"
}

# Mean brightness (0..1) and darkest value of a region of a PNG.
region_stats() {
  convert "$1" -crop "$2" +repage -colorspace Gray -format "%[fx:mean] %[fx:minima]\n" info:
}

wait_exit() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
