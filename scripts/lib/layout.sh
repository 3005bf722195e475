# A virtual desktop of several monitors, or of one at another size and DPI, for Wine: sourced
# after env.sh by scripts/lib/other-layout and other-screen (the monitor and screen tests),
# scripts/screenshots and scripts/bench.
#
# Wine asks Xinerama for the monitors when the X server has no RANDR. Xvfb runs without it,
# as large as the layout's bounding box, and every Wine process finds our stand-in for
# libXinerama first, which answers with PICTOR_MONITORS. Wine's desktop process takes the
# layout when it starts, so the wineserver of each layout is started afresh with it, in a
# Wine prefix of its own (a copy of the test prefix).

XINERAMA_FOLDER="$ROOT/build/xinerama"

# Prints the size of the layout's bounding box as WIDTHxHEIGHT, then its left and top edges;
# fails on a malformed layout.
bounding_size() {
  local monitor='([1-9][0-9]*)x([1-9][0-9]*)([+-](0|[1-9][0-9]*))([+-](0|[1-9][0-9]*))'
  if ! [[ $1 =~ ^$monitor(,$monitor)*$ ]]; then
    echo "layout: \"$1\" is not WxH+X+Y[,WxH+X+Y...]" >&2
    return 1
  fi
  local -a monitors
  IFS=, read -r -a monitors <<<"$1"
  local i x y left=0 top=0 right=0 bottom=0
  for i in "${!monitors[@]}"; do
    [[ ${monitors[i]} =~ ^$monitor$ ]]
    x=$((BASH_REMATCH[3]))
    y=$((BASH_REMATCH[5]))
    if ((i == 0 && (x != 0 || y != 0))); then
      echo "layout: the first monitor is the primary one and starts at +0+0" >&2
      return 1
    fi
    left=$((x < left ? x : left))
    top=$((y < top ? y : top))
    right=$((x + BASH_REMATCH[1] > right ? x + BASH_REMATCH[1] : right))
    bottom=$((y + BASH_REMATCH[2] > bottom ? y + BASH_REMATCH[2] : bottom))
  done
  echo "$((right - left))x$((bottom - top)) $left $top"
}

# Builds the stand-in with the host compiler when it is missing or older than its source,
# through a file of this process's own: two layouts may start at the same time.
build_xinerama() {
  local source="$ROOT/tests/fakes/xinerama/xinerama.c"
  local library="$XINERAMA_FOLDER/libXinerama.so.1"
  if [ ! -e "$library" ] || [ "$source" -nt "$library" ]; then
    mkdir -p "$XINERAMA_FOLDER"
    gcc -std=c99 -Wall -Wextra -Werror -O2 -shared -fPIC -o "$library.$$" "$source"
    mv -f "$library.$$" "$library"
  fi
}

# copy_test_prefix DEST: makes DEST a copy of the test prefix unless it is one already; without a
# test prefix it leaves DEST to start_wine, which makes one. Wine only reads its libraries and
# tables, so those are hard links (copies would take 700 MB a prefix and fill a small disk);
# every other file, the registry among them, is a file of its own for the sessions to change.
copy_test_prefix() {
  local base="$ROOT/build/wineprefix" dest=$1
  [ -e "$base/.pictor-prefix" ] || return 0
  cmp -s "$base/.pictor-prefix" "$dest/.pictor-prefix" && return 0
  rm -rf "$dest"
  cp -al "$base" "$dest"
  find "$dest" -type f ! -name '*.dll' ! -name '*.exe' ! -name '*.nls' -exec sh -c \
    'for file; do cp -p "$file" "$file.own" && mv -f "$file.own" "$file"; done' sh {} +
}

# start_layout NAME LAYOUT: a display and a wineserver for LAYOUT, which lists the monitors in
# Windows screen coordinates, the primary first and at (0, 0): WxH+X+Y[,WxH+X+Y...], e.g.
# 1920x1080+0+0,1280x1024-1280+56. The prefix, named after NAME, is a copy of the test prefix
# when that exists. Sets LAYOUT_LEFT and LAYOUT_TOP, the desktop's top-left corner in
# Windows coordinates, which is X's (0, 0). Stop it with stop_session.
start_layout() {
  local name=$1 layout=$2 box
  box=$(bounding_size "$layout")
  read -r SCREEN_SIZE LAYOUT_LEFT LAYOUT_TOP <<<"$box"
  XVFB_OPTIONS=(-extension RANDR)
  build_xinerama
  export WINEPREFIX="$ROOT/build/wineprefix-layout-$name"
  copy_test_prefix "$WINEPREFIX"
  start_display
  export LD_LIBRARY_PATH="$XINERAMA_FOLDER${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
  # The tests read it too, to check that Windows reports this layout.
  export PICTOR_MONITORS="$layout"
  start_wine
}

# start_screen SIZE DPI: a display of SIZE (WIDTHxHEIGHT) and a wineserver whose monitors are
# at DPI, in a Wine prefix of its own for that pair (a copy of the test prefix). Stop it with
# stop_session.
start_screen() {
  SCREEN_SIZE=$1
  export WINEPREFIX="$ROOT/build/wineprefix-$1-$2"
  copy_test_prefix "$WINEPREFIX"
  start_display
  start_wine
  # Both places Wine has read the DPI from.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null
}
