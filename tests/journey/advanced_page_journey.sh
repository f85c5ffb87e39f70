#!/usr/bin/env bash
# The advanced page used the way a new owner of the mouse would: a new
# macro recorded from the keyboard, a right-button click inserted, a pause
# changed through the delay dialog, a loop count, Confirm; the macro bound to
# a button through the macro key dialog, the other skin chosen, a pointer
# slider moved, Apply. Then record.ini, the macro blocks, the key matrices,
# str.ini and config.bin checked. Screenshots along the way.
#
# usage: advanced_page_journey.sh BUILD_DIR SHOT_DIR
set -u

. "$(dirname "$0")/journey_lib.sh"
KZ7CTL="$BUILD/bin/kz7ctl"

DATA="$WORK/advanced"
LOG="$WORK/advanced.log"
check "advanced page: started" start_kz7 "$DATA" "$LOG"
MAIN=$(visible_window)
MAIN_WINDOW=$MAIN

# Row r of an open list lies at its top + 16 r; aim at the row's middle.
row_y() { echo $(($1 + 1 + 16 * $2 + 8)); }
line_y() { row_y 220 "$1"; }
shoot_dialog() {  # file name: the dialog over the window, as the user sees it
  eval "$(xdotool getwindowgeometry --shell "$MAIN")"
  sleep 0.3
  import -window root -crop "380x310+$X+$Y" +repage "$SHOTS/$1"
}
dialog_ok() { click 218 263; }
# A message box of the program (titled "kz7" like the window): its OK with
# the space bar, which takes the button on the key's release, so that no
# key is let go over the window (a recording would take that release as a
# line, as it takes every key held when it starts).
other_window() { xdotool search --onlyvisible --name '^kz7$' 2>/dev/null | grep -vx "$MAIN" | head -n1; }
dismiss_box() {
  if wait_for 5 bash -c "xdotool search --onlyvisible --name '^kz7$' | grep -vqx $MAIN"; then
    xdotool windowfocus --sync "$(other_window)" key space
    sleep 0.3
    pass "$1: the message box came and went"
  else
    fail "$1: no message box"
  fi
}
title_is() { [ "$(xdotool getwindowname "$MAIN")" = "$1" ]; }

click 90 75  # the advanced tab
# A new macro, "Grenade".
click 767 329
xdotool type --delay 30 Grenade
click 565 538
# Recording: G and 4, pressed and let go; the window's title says how to stop.
click 749 243
dismiss_box "start recording"
check "recording: the title says how to stop" title_is "Press Ctrl+Break key to stop recording"
xdotool windowfocus --sync "$MAIN"
xdotool key g
sleep 0.2
xdotool key 4
sleep 0.3
click 749 279
dismiss_box "stop recording"
check "recording stopped: the title is the program's again" title_is "kz7"
# A right-button click after "G   Up" (line 2).
click 650 "$(line_y 2)"
click 794 409
hover 794 "$(row_y 419 1)"
shoot_here kz7-advanced-chooser-en.png
click 794 "$(row_y 419 1)"
# The pause after "G   Dn" (line 1) becomes 120 ms.
xdotool mousemove --window "$MAIN" 650 "$(line_y 1)" click --repeat 2 --delay 80 1
sleep 0.5
click 112 136
xdotool type --delay 30 120
shoot_dialog kz7-dialog-delay-en.png
dialog_ok
# Three loops, then Confirm.
click 767 369
xdotool key ctrl+a 3
click 773 538
# Mouse speed at its eighth step.
click $((52 + 24 * 7 + 12)) 205
shoot kz7-advanced-macro-en.png

# The macro on button 5, repeated until any key.
click 40 75
click 357 $((196 + 23 * 4))
click 357 "$(row_y $((208 + 23 * 4)) 13)"
click 97 136
click 97 "$(row_y 146 0)"
click 228 136
shoot_dialog kz7-dialog-macro-grenade-en.png
dialog_ok
# The other skin.
click 710 14
sleep 0.3
click 97 136
click 97 "$(row_y 146 1)"
dialog_ok
click 90 75
shoot kz7-advanced-macro-crimson-en.png

click 669 619  # Apply
CONFIG="$DATA/config.bin"
check "apply: config.bin saved (flag 1)" wait_for 5 bash -c "[ \"\$(od -An -tu1 -N1 '$CONFIG' | tr -d ' ')\" = 1 ]"
expected_lines=("G   Dn" "120 ms" "G   Up" "50 ms" "R-Button   Dn" "50 ms" "R-Button   Up" "50 ms" "4   Dn" "50 ms" "4   Up")
"$KZ7CTL" --data-dir "$DATA" macros show Grenade >"$WORK/grenade.txt" 2>&1
printf '%s\n' "${expected_lines[@]}" >"$WORK/expected.txt"
check "record.ini: the recorded, inserted and edited lines" diff -u "$WORK/expected.txt" "$WORK/grenade.txt"
check "record.ini: Grenade is the only macro" test "$("$KZ7CTL" --data-dir "$DATA" macros list)" = Grenade
"$KZ7CTL" --data-dir "$DATA" macros blocks >"$WORK/blocks.txt"
check "block 1: loop count 3" grep -q '^block 1: 00 03 ' "$WORK/blocks.txt"
# The blocks the window saved are what record.ini compiles to.
cp -r "$DATA" "$WORK/recompiled"
"$KZ7CTL" --data-dir "$WORK/recompiled" macros compile >/dev/null
"$KZ7CTL" --data-dir "$WORK/recompiled" macros blocks | sed -n 1p >"$WORK/block1-expected.txt"
check "block 1: the events of record.ini" diff -u "$WORK/block1-expected.txt" <(sed -n 1p "$WORK/blocks.txt")
"$KZ7CTL" matrices "$CONFIG" >"$WORK/matrices.txt"
word() { grep "^matrix $1:" "$WORK/matrices.txt" | cut -d' ' -f$((3 + 4 * $2))-$((6 + 4 * $2)); }
check "matrix 1, button 5: macro 1, until any key" test "$(word 1 4)" = "09 01 01 00"
check "str.ini: button 5's label" grep -qxF 'Item5=Macro Key-Grenade' "$DATA/str.ini"
check "str.ini: the Crimson skin" grep -qxF 'Path=Crimson' "$DATA/str.ini"
check "mouse speed at step 8" test "$(record_byte "$CONFIG" 1957)" = 8
close_and_check_exit "advanced page"

# The page in Simplified Chinese.
LOCALE_ENV=(LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8)
mkdir -p "$WORK/chs"
cp "$DATA/record.ini" "$WORK/chs/"
check "chs: started" start_kz7 "$WORK/chs" "$WORK/chs.log"
click 90 75
shoot kz7-advanced-macro-default-chs.png
close_and_check_exit "chs"
LOCALE_ENV=(LANG=C.UTF-8)

finish_journey "advanced page journey"
