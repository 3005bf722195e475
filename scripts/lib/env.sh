# Shared set-up of the scripts: packages, the build, the virtual display, the Wine prefix
# and a persistent wineserver, and waits that give up. Source it; call stop_session on exit.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export LC_ALL=C.UTF-8
export WINEPREFIX="$ROOT/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES=(cmake make g++-mingw-w64-x86-64 wine wine64 xvfb xdotool googletest
          fonts-wqy-microhei gcc)

XVFB_PID=""
XVFB_OPTIONS=()
WINESERVER_PID=""

log() { echo "== $*" >&2; }

# retry WHAT SECONDS COMMAND...: runs the command until it succeeds; after SECONDS it gives
# up and names WHAT it waited for, so that a stuck run says where it stuck.
retry() {
  local what="$1" seconds="$2" deadline=$((SECONDS + $2))
  shift 2
  until "$@" >/dev/null 2>&1; do
    if ((SECONDS > deadline)); then
      echo "gave up waiting for $what after $seconds s" >&2
      return 1
    fi
    sleep 0.1
  done
}

# within WHAT SECONDS COMMAND...: runs a command that waits by itself (`xdotool --sync`, a
# test program) and kills it, with whatever it started, when it has not ended after SECONDS,
# naming WHAT it waited for. Its exit status is kept. SIGKILL, which a stuck process cannot
# put off.
within() {
  local what="$1" seconds="$2" started=$SECONDS status=0
  shift 2
  timeout -s KILL "$seconds" "$@" || status=$?
  if ((status != 0 && SECONDS - started >= seconds)); then
    echo "gave up waiting for $what after $seconds s" >&2
  fi
  return "$status"
}

# wait_pid WHAT SECONDS PID: until PID, a child of this shell, has ended; its exit status
# goes to ENDED_STATUS. A process still running at the deadline is named, killed and
# reaped, and the wait fails: `wait` alone would wait for ever.
wait_pid() {
  local what="$1" seconds="$2" pid="$3" deadline=$((SECONDS + $2))
  while kill -0 "$pid" 2>/dev/null; do
    if ((SECONDS > deadline)); then
      echo "gave up waiting for $what (pid $pid) to end after $seconds s" >&2
      kill -KILL "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
      return 1
    fi
    sleep 0.1
  done
  ENDED_STATUS=0
  wait "$pid" || ENDED_STATUS=$?
}

ensure_packages() {
  local missing=() package
  for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  if ((${#missing[@]})); then
    log "installing ${missing[*]}"
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# build_tree DIR [cmake options...]: configures (once) and builds a tree under build/.
build_tree() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# Starts Xvfb on a free display, SCREEN_SIZE (1920x1080 unless set) wide and high, with
# the extra arguments in XVFB_OPTIONS, and exports DISPLAY.
start_display() {
  local ready
  ready=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1920x1080}x24" "${XVFB_OPTIONS[@]}" -nolisten tcp \
    3>"$ready" >/dev/null 2>&1 &
  XVFB_PID=$!
  local deadline=$((SECONDS + 30))
  until [ -s "$ready" ]; do
    if ((SECONDS > deadline)) || ! kill -0 "$XVFB_PID" 2>/dev/null; then
      echo "Xvfb did not start" >&2
      rm -f "$ready"
      return 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$ready")"
  rm -f "$ready"
  log "virtual display $DISPLAY"
}

# The registry of a new prefix: the Chinese face names the program asks for map to the
# installed CJK font; a crashing program ends instead of waiting in a crash dialog; as
# there is no window manager, windows are not left to one (a managed window that is
# hidden waits two seconds for a window manager to confirm it); and layered windows stay
# rectangles on the X side. Cut to the shape of their opaque pixels, a pop-up over the
# full-screen capture window lets X expose the capture window through its transparent
# pixels, and Wine takes each such exposure as a sign that the capture window lies on top:
# it raises it over the pop-up, whose clicks then go to the capture window.
configure_prefix() {
  local face
  for face in "微软雅黑" "宋体" "仿宋体" "黑体" "楷体" "新宋体"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
      /d "WenQuanYi Micro Hei" /f >/dev/null
  done
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v ShapeLayeredWindows /t REG_SZ /d N /f \
    >/dev/null
}

PREFIX_VERSION=3

# Starts a persistent wineserver for the prefix, creating the prefix on first use.
start_wine() {
  mkdir -p "$WINEPREFIX"
  wineserver -f -p &
  WINESERVER_PID=$!
  local stamp="$WINEPREFIX/.pictor-prefix"
  if [ "$(cat "$stamp" 2>/dev/null)" != "$PREFIX_VERSION" ]; then
    log "creating the Wine prefix in $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    configure_prefix
    echo "$PREFIX_VERSION" >"$stamp"
  fi
  # Start the prefix's background processes now, with their output going nowhere: started
  # later by a test, they would inherit its output pipe and keep the pipe open.
  wineboot >/dev/null 2>&1
}

# Stops what start_display and start_wine started, by pid.
stop_session() {
  if [ -n "$WINESERVER_PID" ]; then
    wineserver -k 2>/dev/null || true
    kill "$WINESERVER_PID" 2>/dev/null || true
    wait "$WINESERVER_PID" 2>/dev/null || true
    WINESERVER_PID=""
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
