#!/usr/bin/env bash
# Drives the real `kz7 --simulate` on a virtual X display the way a user
# would: start, a second copy, OK, the mouse's events, unplugging, Escape,
# the close button; and takes screenshots of the main window in both skins
# and the three languages.
#
# usage: journey.sh BUILD_DIR SHOT_DIR
set -u

. "$(dirname "$0")/journey_lib.sh"

# 1. Start, second copy, pages, dragging, OK, the mouse's events.
DATA="$WORK/data"
LOG="$WORK/run1.log"
MONITOR_PID=
if [ -n "${KZ7_JOURNEY_BUS:-}" ] && command -v dbus-monitor >/dev/null; then
  dbus-monitor --session "type='method_call',interface='org.freedesktop.Notifications'" \
    >"$WORK/bus.log" 2>&1 &
  MONITOR_PID=$!
  sleep 0.3
fi
check "start: the window is shown (no tray on this display)" \
  start_kz7 "$DATA" "$LOG" --sim-schedule "3s event 7 2; 3.2s event 5 2; 3.4s event 8 3; 3.6s event 9 4"
check "start: the mouse is announced" log_has "$LOG" "notification: Info: The system detect the gaming mouse."
check "start: config.bin seeded, never saved (flag 0)" test "$(first_run_flag "$DATA/config.bin")" = 0

"$KZ7" --simulate --data-dir "$DATA" >"$WORK/second.log" 2>&1
second=$?
check "a second copy exits with status 0" test "$second" = 0
check "a second copy opens no window" test "$(xdotool search --onlyvisible --name '^kz7$' | wc -l)" = 1
check "a second copy says nothing" test ! -s "$WORK/second.log"

shoot kz7-basic-default-en.png
click 90 75
shoot kz7-advanced-default-en.png
click 40 75

window_position() { xdotool getwindowgeometry "$(visible_window)" | awk '/Position/ {print $2}'; }
before=$(window_position)
xdotool mousemove --window "$(visible_window)" 300 20 mousedown 1 sleep 0.2 \
  mousemove_relative --sync 60 40 sleep 0.2 mouseup 1
sleep 0.3
after=$(window_position)
check "a press on no control drags the window ($before -> $after)" test "$before" != "$after"

click 565 619
check "OK: config.bin saved with first-run flag 1" test "$(first_run_flag "$DATA/config.bin")" = 1
check "OK: the window is hidden" wait_for 5 window_hidden
check "OK: str.ini written" test -s "$DATA/str.ini"

check "event: DPI stage notification with the DPI label" \
  wait_for 10 log_has "$LOG" "notification: Info: Switch DPI into the second stage "
check "event: report rate notification" wait_for 5 log_has "$LOG" "notification: Info: Switch report rate into 500HZ"
check "event: macro key notification" wait_for 5 log_has "$LOG" "notification: Info: Switch to macro key4"
check "event: key matrix 3 shows nothing" bash -c "! grep -q 'key matrix 3' '$LOG'"
if [ -n "$MONITOR_PID" ]; then
  check "without a tray notifications go to the desktop's notification service" \
    grep -qF 'string "Switch report rate into 500HZ"' "$WORK/bus.log"
  kill "$MONITOR_PID" 2>/dev/null
fi
kill "$KZ7_PID"; wait "$KZ7_PID" 2>/dev/null; KZ7_PID=

# 2. Unplugging hides the window; plugging in announces the mouse again.
LOG="$WORK/run2.log"
check "unplug: started" start_kz7 "$DATA" "$LOG" --sim-schedule "2s unplug; 4s plug"
check "unplug: the window is hidden" wait_for 6 window_hidden
check "unplug: the warning is shown" log_has "$LOG" "notification: Warning: The system did not detect the gaming mouse!"
check "plug: the mouse is announced again" \
  wait_for 6 bash -c "test \$(grep -c 'detect the gaming mouse\\.' '$LOG') -ge 2"
kill "$KZ7_PID"; wait "$KZ7_PID" 2>/dev/null; KZ7_PID=

# 3. Escape hides the window.
LOG="$WORK/run3.log"
check "escape: started" start_kz7 "$DATA" "$LOG"
xdotool windowfocus --sync "$(visible_window)" key Escape
check "escape: the window is hidden" wait_for 5 window_hidden
if [ -n "${KZ7_JOURNEY_BUS:-}" ]; then
  "$KZ7" --simulate --data-dir "$DATA" >/dev/null 2>&1
  check "without a tray a second start exits 0" test $? = 0
  check "without a tray a second start shows the hidden window" wait_for 5 window_shown
fi
kill "$KZ7_PID"; wait "$KZ7_PID" 2>/dev/null; KZ7_PID=

# 4. The second skin and the other two languages, each closed with the close button.
SKIN_DATA="$WORK/skin-data"
mkdir -p "$SKIN_DATA"
printf '[Skins]\nRColor=255\nGColor=214\nBColor=214\nPath=Crimson\n' >"$SKIN_DATA/str.ini"
check "second skin: started" start_kz7 "$SKIN_DATA" "$WORK/run4.log"
shoot kz7-basic-crimson-en.png
click 90 75
shoot kz7-advanced-crimson-en.png
close_and_check_exit "second skin"

for lang in zh_CN:chs zh_TW:cht; do
  locale=${lang%%:*} tag=${lang##*:}
  LOCALE_ENV=(LC_ALL="$locale.UTF-8" LANG="$locale.UTF-8")
  check "$tag: started" start_kz7 "$DATA" "$WORK/run-$tag.log"
  shoot "kz7-basic-default-$tag.png"
  close_and_check_exit "$tag"
done

# 5. With a tray (trayer as the panel): the program starts hidden; a left
# click on its icon shows the window, the icon's menu offers Exit.
if command -v trayer >/dev/null; then
  trayer --edge top --align right --widthtype request --height 32 --SetDockType false \
    >"$WORK/trayer.log" 2>&1 &
  TRAYER_PID=$!
  wait_for 5 xdotool search --name '^panel$'
  sleep 0.5
  LOG="$WORK/run-tray.log"
  "$KZ7" --simulate --data-dir "$DATA" --print-notifications >"$LOG" 2>&1 &
  KZ7_PID=$!
  check "tray: ready behind the tray icon" wait_for 10 log_has "$LOG" "kz7: ready (tray)"
  sleep 0.5
  check "tray: the window rests hidden" window_hidden
  panel=$(xdotool search --name '^panel$' | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$panel")"
  icon_x=$((X + WIDTH / 2)) icon_y=$((Y + HEIGHT / 2))
  xdotool mousemove "$icon_x" "$icon_y" click 1
  check "tray: a left click shows the window" wait_for 5 window_shown
  xdotool windowfocus --sync "$(visible_window)" key Escape
  check "tray: Escape hides it again" wait_for 5 window_hidden
  # The icon's menu: "Export profile...", "Import profile...", then "Exit".
  # Each file dialog starts at kz7-profile.json in the data folder.
  xdotool mousemove "$icon_x" "$icon_y" click 3
  sleep 0.5
  xdotool key Down Return
  check "tray: Export profile... asks where to save" wait_for 5 xdotool search --onlyvisible --name '^Export profile\.\.\.$'
  sleep 0.5
  import -window "$(xdotool search --onlyvisible --name '^Export profile\.\.\.$' | head -n1)" "$SHOTS/tray-export-dialog.png"
  xdotool key Return
  check "tray: the profile is written" wait_for 5 test -s "$DATA/kz7-profile.json"
  check "tray: it is a kz7 profile" grep -q '"kz7Profile": 1' "$DATA/kz7-profile.json"
  xdotool mousemove "$icon_x" "$icon_y" click 3
  sleep 0.5
  xdotool key Down Down Return
  check "tray: Import profile... asks which file" wait_for 5 xdotool search --onlyvisible --name '^Import profile\.\.\.$'
  sleep 0.5
  xdotool key Return
  check "tray: the imported profile is shown in the window" wait_for 5 window_shown
  xdotool windowfocus --sync "$(visible_window)" key Escape
  wait_for 5 window_hidden
  xdotool mousemove "$icon_x" "$icon_y" click 3
  sleep 0.5
  xdotool key Down Down Down Return
  status=
  if wait_for 10 bash -c "! kill -0 $KZ7_PID"; then wait "$KZ7_PID"; status=$?; fi
  KZ7_PID=
  check "tray: Exit in the icon's menu ends the program with status 0" test "$status" = 0

  # Without the mouse: one message at start, then a click on the icon only warns.
  LOG="$WORK/run-tray-unplugged.log"
  "$KZ7" --simulate --sim-unplugged --data-dir "$DATA" --print-notifications >"$LOG" 2>&1 &
  KZ7_PID=$!
  check "tray, no mouse: a message box says so" wait_for 10 xdotool search --onlyvisible --name '^Warning$'
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Warning$' | head -n1)" key Return
  check "tray, no mouse: then ready behind the icon" wait_for 10 log_has "$LOG" "kz7: ready (tray)"
  xdotool mousemove "$icon_x" "$icon_y" click 1
  check "tray, no mouse: a click on the icon warns" \
    wait_for 5 log_has "$LOG" "notification: Warning: The system did not detect the gaming mouse!"
  sleep 0.5
  check "tray, no mouse: and shows no window" window_hidden
  kill "$KZ7_PID"; wait "$KZ7_PID" 2>/dev/null; KZ7_PID=
  kill "$TRAYER_PID" 2>/dev/null
fi

finish_journey "journey"
