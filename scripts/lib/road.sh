# The road of one capture, driven from the Linux side with xdotool: shared by scripts/run
# (without a display) and scripts/screenshots. Source it after env.sh, with the display and
# Wine started; set PICTOR and PROBE to the built programs first, and call end_road on exit.

# Where the road's windows are put, from the Windows side.
NOTEPAD=(200 150 900 560)
REGEDIT=(1200 200 600 500)
ARROW_FROM=(320 330)
ARROW_TO=(620 470)
TEXT_AT=(660 560)
# Over the lines typed into Notepad.
MOSAIC_FROM=(240 208)
MOSAIC_TO=(560 208)
PICTOR_PID=""
SCRATCH=$(mktemp -d)

# Removes the road's scratch folder and ends a session still running, by its pid.
end_road() {
  if [ -n "$PICTOR_PID" ]; then
    kill -KILL "$PICTOR_PID" 2>/dev/null || true
    wait "$PICTOR_PID" 2>/dev/null || true
    PICTOR_PID=""
  fi
  rm -rf "$SCRATCH"
}

# probe COMMAND ARGS...: asks the probe program about the screen (a pixel, a grab, the
# clipboard); one that hangs is ended after 30 s.
probe() { within "the probe ($1)" 30 wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }

# The toolbar's layout, as the program lays it out (TOOLBAR_WIDTH, BUTTON_X by name, ...).
# It hangs under the selected Notepad's bottom-right corner, the pickers under it.
read_toolbar_layout() {
  local layout
  layout=$(probe toolbar)
  eval "$layout"
  TOOLBAR_LEFT=$((NOTEPAD[0] + NOTEPAD[2] - TOOLBAR_WIDTH))
  TOOLBAR_TOP=$((NOTEPAD[1] + NOTEPAD[3] + TOOLBAR_GAP))
  PICKER_TOP=$((TOOLBAR_TOP + TOOLBAR_HEIGHT))
}

pixel_is() { [ "$(probe pixel "$1" "$2")" = "$3" ]; }
pixel_is_not() { [ "$(probe pixel "$1" "$2")" != "$3" ]; }
# wait_pixel WHAT X Y RRGGBB: until the screen shows that colour there.
wait_pixel() { retry "$1" 20 pixel_is "$2" "$3" "$4"; }
# Notepad with a few lines in it, and the registry editor beside it.
open_desktop() {
  wine regedit >/dev/null 2>&1 &
  retry "the registry editor" 30 xdotool search --onlyvisible --name "Registry Editor"
  probe place "Registry Editor" "${REGEDIT[@]}"
  wine notepad >/dev/null 2>&1 &
  retry "notepad" 30 xdotool search --onlyvisible --name "Notepad"
  probe place "Notepad" "${NOTEPAD[@]}"
  within "the keyboard to reach Notepad" 20 \
    xdotool search --onlyvisible --name "Notepad" windowfocus --sync
  xdotool type --delay 30 "Pictor freezes the screen, frames the window under the mouse"
  xdotool key Return
  xdotool type --delay 30 "and lets you mark up what you select before you copy or save it."
}

# start_pictor WORD: starts a session and waits for its full-screen window.
start_pictor() {
  xdotool mousemove 1900 1060
  wine "$PICTOR" "$@" >/dev/null 2>&1 &
  PICTOR_PID=$!
  retry "the capture window" 30 xdotool search --onlyvisible --pid "$PICTOR_PID"
}

# Points at Notepad's title bar: Notepad is framed in orange, the magnifier follows.
point_at_notepad() {
  xdotool mousemove $((NOTEPAD[0] + 300)) $((NOTEPAD[1] + 12))
  wait_pixel "the frame around Notepad" $((NOTEPAD[0] - 1)) $((NOTEPAD[1] + 100)) FF8B31
}

select_notepad() {
  xdotool click 1
  retry "the toolbar" 20 xdotool search --onlyvisible --name "桌面截图工具栏"
}

# click_button NAME: a toolbar button (a tool's name, save, cancel or copy).
click_button() {
  xdotool mousemove $((TOOLBAR_LEFT + BUTTON_X[$1])) $((TOOLBAR_TOP + BUTTON_Y)) click 1
}

# picker_shown WIDTH: a window of the session WIDTH x 49 where the picker goes.
picker_shown() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$PICTOR_PID"); do
    if xdotool getwindowgeometry "$id" |
      grep -qz "Position: $PICKER_LEFT,$PICKER_TOP.*Geometry: ${1}x$PICKER_HEIGHT"; then
      return 0
    fi
  done
  return 1
}

# choose_tool NAME: the tool, its picker under it. The colours start further left in the
# narrower text picker.
choose_tool() {
  PICKER_LEFT=$((TOOLBAR_LEFT + PICKER_X[$1]))
  FIRST_CELL=$([ "$1" = text ] && echo 127 || echo 171)
  click_button "$1"
  retry "the picker" 20 picker_shown "${PICKER_WIDTH[$1]}"
}

# choose_color INDEX: one of the sixteen colours of the open picker.
choose_color() {
  xdotool mousemove $((PICKER_LEFT + FIRST_CELL + 18 * ($1 % 8) + 8)) \
    $((PICKER_TOP + 17 + 18 * ($1 / 8))) click 1
}

# choose_size INDEX: one of the sizes of the open picker.
choose_size() {
  xdotool mousemove $((PICKER_LEFT + 23 + 43 * $1)) $((PICKER_TOP + 26)) click 1
}

# stroke X1 Y1 X2 Y2 [STEPS]: a drag in steps (8 unless said), each its own move: moves
# sent in one go reach the program as the last of them.
stroke() {
  local step steps=${5:-8}
  xdotool mousemove "$1" "$2" mousedown 1
  for ((step = 1; step <= steps; step++)); do
    xdotool mousemove $(($1 + ($3 - $1) * step / steps)) $(($2 + ($4 - $2) * step / steps))
  done
  xdotool mouseup 1
}

# wait_still WHAT X Y WIDTH HEIGHT: until that area of the screen stops changing.
wait_still() {
  local what="$1" deadline=$((SECONDS + 20)) before="$SCRATCH/still-1.png" now="$SCRATCH/still-2.png"
  shift
  probe grab "Z:$before" "$@"
  while :; do
    probe grab "Z:$now" "$@"
    cmp -s "$before" "$now" && return 0
    if ((SECONDS > deadline)); then
      echo "gave up waiting for $what" >&2
      return 1
    fi
    mv "$now" "$before"
  done
}

draw_red_arrow() {
  choose_tool arrow
  choose_color 10
  stroke "${ARROW_FROM[@]}" "${ARROW_TO[@]}"
  wait_pixel "the arrow" $(((ARROW_FROM[0] + ARROW_TO[0]) / 2)) \
    $(((ARROW_FROM[1] + ARROW_TO[1]) / 2)) FF0000
}

type_text() {
  choose_tool text
  choose_color 13
  xdotool mousemove "${TEXT_AT[@]}" click 1
  within "the keyboard to reach the capture window" 20 \
    xdotool windowfocus --sync "$(capture_window)"
  xdotool type --delay 20 "Marked up with Pictor"
}

draw_mosaic() {
  choose_tool mosaic
  choose_size 1
  stroke "${MOSAIC_FROM[@]}" "${MOSAIC_TO[@]}" 32
}

# The X window of the session's full-screen capture window.
capture_window() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$PICTOR_PID"); do
    if xdotool getwindowgeometry "$id" | grep -q "Geometry: 1920x1080"; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# wait_end: until the session's process has ended, 20 s at most; its exit code goes to
# PICTOR_STATUS.
wait_end() {
  local pid=$PICTOR_PID
  PICTOR_PID=""
  wait_pid "the capture session" 20 "$pid"
  PICTOR_STATUS=$ENDED_STATUS
}
