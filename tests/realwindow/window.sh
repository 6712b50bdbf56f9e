#!/usr/bin/env bash
# The real program in a real window: it draws its controls, "説明" and the
# close box open the About box, and "終了" ends it.
source "$(dirname "$0")/lib.sh"
SCALE="${2:-1}"

start_display
start_vusk GDK_SCALE="$SCALE"
sleep 0.5
base_units "$MAIN" 294 241
shot "$MAIN" "$WORK/main.png"
cp "$WORK/main.png" "/tmp/vusk-main-scale$SCALE.png" 2>/dev/null || true

# Drawn as the template says: the dialog face, the white list box, and dark
# text on the buttons (region coordinates scale with the window).
read -r mean dark < <(region_stats "$WORK/main.png" "$((3 * BX / 4))x$((3 * BY / 8))+$((2 * BX / 4))+$((2 * BY / 8))")
awk -v m="$mean" 'BEGIN { exit !(m > 0.70 && m < 0.80) }' || fail "the dialog face is not grey (mean $mean)"
read -r mean dark < <(region_stats "$WORK/main.png" "$((200 * BX / 4))x$((80 * BY / 8))+$((40 * BX / 4))+$((80 * BY / 8))")
awk -v m="$mean" 'BEGIN { exit !(m > 0.97) }' || fail "the list box is not white (mean $mean)"
for button in "170 211 50 18" "231 212 50 17" "17 214 79 16" "14 7 50 14"; do
  set -- $button
  read -r mean dark < <(region_stats "$WORK/main.png" "$(($3 * BX / 4 - 8))x$(($4 * BY / 8 - 6))+$(($1 * BX / 4 + 4))+$(($2 * BY / 8 + 3))")
  awk -v d="$dark" 'BEGIN { exit !(d < 0.25) }' || fail "no text on the button at $button (darkest $dark)"
done

# "説明" opens the About box; its OK closes it.
click_dlu "$MAIN" 231 212 50 17
ABOUT=$(wait_window "$ABOUT_TITLE") || fail "説明 did not open the About box"
base_units "$ABOUT" 286 203
click_dlu "$ABOUT" 58 182 32 14
wait_gone "$ABOUT_TITLE" || fail "OK did not close the About box"

# The close box opens the About box and the program keeps running.
base_units "$MAIN" 294 241
close_request "$MAIN"
ABOUT=$(wait_window "$ABOUT_TITLE") || fail "the close box did not open the About box"
kill -0 "$VUSK_PID" || fail "the close box ended the program"
close_request "$ABOUT"
wait_gone "$ABOUT_TITLE" || fail "the About box's close box did not close it"
kill -0 "$VUSK_PID" || fail "closing the About box ended the program"

# "終了" ends the program.
sleep 0.3
click_dlu "$MAIN" 170 211 50 18
wait_exit "$VUSK_PID" || fail "終了 did not end the program"
echo "real window at scale $SCALE: ok"
