# What every journey does: a private session bus, a virtual X display of
# its own, the program started against the simulated mouse, clicks at window
# coordinates and screenshots. Sourced by the journeys with "$@" = BUILD_DIR SHOT_DIR.
# A private session bus, so that a second start can ask the first to show itself.
if [ -z "${KZ7_JOURNEY_BUS:-}" ] && command -v dbus-run-session >/dev/null; then
  exec env KZ7_JOURNEY_BUS=1 dbus-run-session -- "$0" "$@"
fi

BUILD=$(cd "$1" && pwd)
SHOTS=$2
KZ7="$BUILD/bin/kz7"
mkdir -p "$SHOTS"
SHOTS=$(cd "$SHOTS" && pwd)

WORK=$(mktemp -d /tmp/kz7-journey.XXXXXX)
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export GSETTINGS_BACKEND=memory
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }

XVFB_PID=
KZ7_PID=
cleanup() {
  [ -n "$KZ7_PID" ] && kill "$KZ7_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and tells us which.
exec 3<> "$WORK/displayfd"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do
  number=$(head -n1 "$WORK/displayfd" 2>/dev/null)
  [ -n "$number" ] && break
  sleep 0.1
done
export DISPLAY=":$number"
echo "display $DISPLAY"

wait_for() {  # seconds, command...: retries the command until it succeeds
  local limit=$1; shift
  local end=$((SECONDS + limit))
  while ! "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}
# The main window; a journey that renames it (a recording does) pins it in MAIN_WINDOW.
MAIN_WINDOW=
visible_window() {
  if [ -n "$MAIN_WINDOW" ]; then
    xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$MAIN_WINDOW" && echo "$MAIN_WINDOW"
  else
    xdotool search --onlyvisible --name '^kz7$' 2>/dev/null | head -n1
  fi
}
window_shown() { [ -n "$(visible_window)" ]; }
window_hidden() { [ -z "$(visible_window)" ]; }
log_has() { grep -qF -- "$2" "$1"; }
first_run_flag() { od -An -tu1 -N1 "$1" | tr -d ' '; }

LOCALE_ENV=(LANG=C.UTF-8)
start_kz7() {  # data-dir, log, extra args...
  local data=$1 log=$2; shift 2
  MAIN_WINDOW=""
  env "${LOCALE_ENV[@]}" "$KZ7" --simulate --data-dir "$data" --print-notifications "$@" \
    >"$log" 2>&1 &
  KZ7_PID=$!
  wait_for 10 log_has "$log" "kz7: ready" && wait_for 10 window_shown
}
click() {  # x y in window coordinates
  local id; id=$(visible_window)
  xdotool mousemove --window "$id" "$1" "$2" click 1
  sleep 0.3
}
shoot() {  # file name
  local id; id=$(visible_window)
  # Rest the pointer on a plain part of the window, so no button shows its hover picture.
  xdotool mousemove --window "$id" 870 650
  sleep 0.4
  import -window "$id" "$SHOTS/$1"
}
close_and_check_exit() {  # what
  click 859 14
  local status=
  if wait_for 10 bash -c "! kill -0 $KZ7_PID"; then
    wait "$KZ7_PID"; status=$?
  fi
  KZ7_PID=
  check "$1: the close button ends the program with status 0" test "$status" = 0
}

shoot_here() {  # file name: the window as it is, the pointer left where it is
  import -window "$(visible_window)" "$SHOTS/$1"
}
hover() {  # x y in window coordinates, without clicking
  xdotool mousemove --window "$(visible_window)" "$1" "$2"
  sleep 0.3
}
# One byte of a file, as a decimal number.
byte_at() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
# A field of the configuration record in config.bin (the record follows the first-run flag).
record_byte() { byte_at "$1" $(($2 + 1)); }

# The journey's verdict: its status is 1 when a check failed.
finish_journey() {  # name
  echo "screenshots in $SHOTS"
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "$1 passed"
}
