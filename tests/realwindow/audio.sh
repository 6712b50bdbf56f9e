#!/usr/bin/env bash
# Real sound from the real program: a PulseAudio server of the test's own
# with a null sink, a two-song playlist beside the executable, and the sink's
# monitor recorded while the window's buttons are clicked. Play makes sound,
# the first song is followed by the second, Stop silences it, and Exit ends
# the program.
source "$(dirname "$0")/lib.sh"

RATE=44100
SINK=vusk_null
# Windows of the recordings are 50 ms; levels are RMS in 16-bit units. Digital
# silence is 0 here, and a single organ note is several hundred.
SPAN=$((RATE / 20))
LOUD=300
QUIET=30

# A PulseAudio server of the test's own; every client of this test is
# pointed at its socket.
start_pulse() {
  session_start_pulse "$WORK" "$SINK" "$RATE" && return 0
  cat "$WORK/pulse.log" >&2
  fail "the PulseAudio server did not start"
}

# A MIDI variable-length number as hex byte pairs.
varlen() {
  local n=$1 out
  out=$(printf '%02x' $((n & 0x7f)))
  while (( (n >>= 7) > 0 )); do out="$(printf '%02x' $(((n & 0x7f) | 0x80))) $out"; done
  echo "$out"
}

# Writes a format-0 Standard MIDI File with 480 ticks a quarter (960 ticks a
# second at the default tempo) to $1, from track events given as hex pairs.
write_smf() {
  local out=$1; shift
  local -a bytes
  read -r -a bytes <<<"$* 00 ff 2f 00"
  local n=${#bytes[@]}
  local header="4d 54 68 64 00 00 00 06 00 00 00 01 01 e0 4d 54 72 6b"
  local length
  length=$(printf '%02x %02x %02x %02x' $((n >> 24 & 255)) $((n >> 16 & 255)) $((n >> 8 & 255)) $((n & 255)))
  local escaped=""
  for b in $header $length "${bytes[@]}"; do escaped+="\\x$b"; done
  printf "$escaped" >"$out"
}

# One held organ note on channel $1, panned hard to one side ($2: 00 left,
# 7f right), with the reverb and chorus sends down, for $3 seconds; the
# note-off is the last event and ends the song.
write_organ_song() {
  local file=$1 channel=$2 pan=$3 seconds=$4
  write_smf "$file" \
    "00 b$channel 0a $pan" "00 b$channel 5b 00" "00 b$channel 5d 00" "00 c$channel 13" \
    "00 9$channel 3c 64" "$(varlen $((seconds * 960))) 8$channel 3c 00"
}

# Starts recording the sink's monitor into $1 as raw 16-bit stereo frames,
# for $2 seconds, and returns once the first frames have arrived: an idle
# null sink hands its monitor's first block over only after a while, and
# what sounds before that would be lost.
record() {
  local file=$1 seconds=$2
  parec -d "$SINK.monitor" --raw --format=s16le --rate=$RATE --channels=2 --latency-msec=20 >"$file" &
  RECORDER=$!
  PIDS+=("$RECORDER")
  RECORD_BYTES=$((seconds * RATE * 4))
  for _ in $(seq 100); do
    [ -s "$file" ] && return 0
    sleep 0.1
  done
  fail "the monitor of the sink gave no recording"
}

# Waits until the running recording has its bytes, then ends it.
finish_recording() {
  local file=$1
  for _ in $(seq 300); do
    [ "$(stat -c %s "$file")" -ge "$RECORD_BYTES" ] && break
    sleep 0.1
  done
  kill "$RECORDER" 2>/dev/null || true
  wait "$RECORDER" 2>/dev/null || true
  [ "$(stat -c %s "$file")" -ge "$RECORD_BYTES" ] || fail "the monitor of the sink gave no recording"
}

# Prints one line per 50 ms window of a recording: the RMS of the left and of
# the right channel.
levels() {
  od -An -v -t d2 -w4 "$1" | awk -v w="$SPAN" '
    { l += $1 * $1; r += $2 * $2; if (++n == w) { printf "%.1f %.1f\n", sqrt(l / n), sqrt(r / n); l = r = n = 0 } }'
}

# RMS of one channel ($2: 1 left, 2 right) over windows $3 to $4 (inclusive)
# of the levels in $1, or -1 if the recording has none of them.
span_rms() {
  awk -v c="$2" -v a="$3" -v b="$4" 'NR - 1 >= a && NR - 1 <= b { s += $c * $c; n++ }
    END { if (n == 0) print -1; else printf "%.1f\n", sqrt(s / n) }' "$1"
}

start_pulse
start_display

# Song 1 is one second on the left, song 2 six seconds on the right, so the
# recording tells which song sounds. The organ's own reverb and stereo
# samples leak a tenth of each song into the other channel.
mkdir -p "$WORK/app"
write_organ_song "$WORK/app/one.mid" 0 00 1
write_organ_song "$WORK/app/two.mid" 1 7f 6
printf '%s\n' "$WORK/app/one.mid" "$WORK/app/two.mid" >"$WORK/app/MidiList.txt"

start_vusk PULSE_SERVER="$PULSE_SERVER"
sleep 0.5
base_units "$MAIN" 294 241

# Before Play, the sink hears nothing of the program.
record "$WORK/before.raw" 1
finish_recording "$WORK/before.raw"
levels "$WORK/before.raw" >"$WORK/before.levels"
for side in 1 2; do
  rms=$(span_rms "$WORK/before.levels" $side 0 19)
  awk -v v="$rms" -v q="$QUIET" 'BEGIN { exit !(v >= 0 && v < q) }' || fail "sound before Play (channel $side RMS $rms)"
done

# Play: the recording starts first so that it holds the whole of song 1,
# however long the synthesizer takes to be ready.
record "$WORK/play.raw" 10
click_dlu "$MAIN" 17 214 79 16
finish_recording "$WORK/play.raw"
levels "$WORK/play.raw" >"$WORK/play.levels"

# Song 1 starts where the left channel first gets loud.
start=$(awk -v t="$LOUD" '$1 > t { print NR - 1; exit }' "$WORK/play.levels")
[ -n "$start" ] || fail "no sound after Play"
count=$(wc -l <"$WORK/play.levels")
[ $((start + 50)) -le "$count" ] || fail "the first sound came too late to hear song 2 in the recording"
left=$(span_rms "$WORK/play.levels" 1 "$start" $((start + 15)))
right=$(span_rms "$WORK/play.levels" 2 "$start" $((start + 15)))
awk -v l="$left" -v r="$right" -v t="$LOUD" 'BEGIN { exit !(l > t && l > 3 * r) }' ||
  fail "song 1 does not sound on the left (left $left, right $right)"

# From half a second after song 1's end, song 2 sounds, on the right alone.
left=$(span_rms "$WORK/play.levels" 1 $((start + 30)) $((start + 49)))
right=$(span_rms "$WORK/play.levels" 2 $((start + 30)) $((start + 49)))
awk -v l="$left" -v r="$right" -v t="$LOUD" 'BEGIN { exit !(r > t && r > 3 * l) }' ||
  fail "song 2 does not follow song 1 (left $left, right $right)"

# The last half second of the recording still sounds: the playlist goes on.
left=$(span_rms "$WORK/play.levels" 1 $((count - 10)) $((count - 1)))
right=$(span_rms "$WORK/play.levels" 2 $((count - 10)) $((count - 1)))
awk -v l="$left" -v r="$right" -v t="$LOUD" 'BEGIN { exit !(l > t || r > t) }' ||
  fail "the sound stopped while playing (left $left, right $right)"

# Stop silences it.
click_dlu "$MAIN" 100 214 38 16
sleep 0.3
record "$WORK/stopped.raw" 1
finish_recording "$WORK/stopped.raw"
levels "$WORK/stopped.raw" >"$WORK/stopped.levels"
for side in 1 2; do
  rms=$(span_rms "$WORK/stopped.levels" $side 0 19)
  awk -v v="$rms" -v q="$QUIET" 'BEGIN { exit !(v >= 0 && v < q) }' || fail "sound after Stop (channel $side RMS $rms)"
done
kill -0 "$VUSK_PID" || fail "the program ended on Stop"

# Exit ends the program.
click_dlu "$MAIN" 170 211 50 18
wait_exit "$VUSK_PID" || fail "終了 did not end the program"
echo "real sound: ok"
