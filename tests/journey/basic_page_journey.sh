#!/usr/bin/env bash
# The basic page used the way a new owner of the mouse would: button
# functions through their lists, the DPI sub-menu of Mode B, the report rate,
# a DPI level and a stage, the lighting mode and parameter, a loop colour and
# the DPI LEDs; then Apply, and config.bin, the labels in str.ini and the key
# matrices checked. Screenshots of the open lists along the way.
#
# usage: basic_page_journey.sh BUILD_DIR SHOT_DIR
set -u

. "$(dirname "$0")/journey_lib.sh"
KZ7CTL="$BUILD/bin/kz7ctl"

DATA="$WORK/basic"
LOG="$WORK/basic.log"
# Two recorded macros for the macro key dialog to offer.
mkdir -p "$DATA"
printf '[Reload]\nItemCount=3\nItem0=R   Dn\nItem1=50 ms\nItem2=R   Up\n[Spray]\nItemCount=2\nItem0=L-Button   Dn\nItem1=50 ms\n' \
  >"$DATA/record.ini"
check "basic page: started" start_kz7 "$DATA" "$LOG"

# Row r of an open list lies at its top + 16 r; aim at the row's middle.
row_y() { echo $(($1 + 1 + 16 * $2 + 8)); }
# Function box i (1-6) and its list.
box_y() { echo $((196 + 23 * ($1 - 1))); }
list_top() { echo $((208 + 23 * ($1 - 1))); }
choose_function() {  # box, row
  click 357 "$(box_y "$1")"
  click 357 "$(row_y "$(list_top "$1")" "$2")"
}

# The dialogs open at the top-left of the window's client area, so their
# zones are clicked at the same window coordinates.
shoot_dialog() {  # file name: the dialog over the window, as the user sees it
  local id; id=$(xdotool search --onlyvisible --name '^kz7$' | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  sleep 0.3
  import -window root -crop "380x310+$X+$Y" +repage "$SHOTS/$1"
}
dialog_ok() { click 218 263; }

# Mode B: button 2 "Triple-click", button 6 "DPI +" from the sub-menu beside "DPI Switch".
click 409 528
choose_function 2 5
click 357 "$(box_y 6)"
hover 357 "$(row_y "$(list_top 6)" 6)"
shoot_here kz7-basic-function-list-en.png
click 493 "$(row_y $(($(list_top 6) + 16 * 6 - 1)) 0)"
# Button 4: macro "Spray", repeated until the key is released.
choose_function 4 13
click 97 136
hover 97 "$(row_y 146 1)"
shoot_dialog kz7-dialog-macro-list-en.png
click 97 "$(row_y 146 1)"
click 228 186
shoot_dialog kz7-dialog-macro-en.png
dialog_ok
click 305 528  # back to Mode A

# Button 2: "Left Ctrl" + C + V in the combo key dialog.
choose_function 2 12
click 91 77
click 91 "$(row_y 86 0)"
click 90 127
xdotool key c
click 90 177
xdotool key v
shoot_dialog kz7-dialog-combo-en.png
dialog_ok
# Button 3: Enter, captured by the single key dialog without closing it.
choose_function 3 11
xdotool key Return
sleep 0.3
shoot_dialog kz7-dialog-single-en.png
dialog_ok

wheel_down() {  # x y notches: the wheel turned toward the user over a point
  local id; id=$(visible_window)
  xdotool mousemove --window "$id" "$1" "$2"
  for _ in $(seq "$3"); do xdotool click 5; sleep 0.1; done
  sleep 0.2
}
# Button 4: fire key "O" (row 14, four wheel notches of three rows down the
# list), 300 shots refused at the third digit, speed 3 raised to 5 when the
# keyboard leaves its box, then 12 typed just before OK.
choose_function 4 10
click 91 77
wheel_down 91 150 4
hover 91 "$(row_y 86 2)"
shoot_dialog kz7-dialog-fire-list-en.png
click 91 "$(row_y 86 2)"
click 90 127
xdotool key ctrl+a 3
click 90 177
xdotool key ctrl+a 3 0 0
sleep 0.2
shoot_dialog kz7-dialog-fire-en.png
xdotool key ctrl+a 4
click 90 127
xdotool key ctrl+a 1 2
dialog_ok
# Button 5: "Vol-" from the multimedia list.
choose_function 5 9
click 97 136
hover 97 "$(row_y 145 6)"
shoot_dialog kz7-dialog-media-en.png
click 97 "$(row_y 145 6)"
dialog_ok
# Button 6: "Browser-My Favorites", the last launch target, one notch down the list.
choose_function 6 8
click 97 136
wheel_down 97 200 1
hover 97 "$(row_y 145 8)"
shoot_dialog kz7-dialog-launch-en.png
click 97 "$(row_y 145 8)"
dialog_ok

# Report rate 250 Hz; stage 3 at its fifth level; stage 4 off.
click 649 209
click 616 454
click 643 549
# Lighting: Respiration Mode, parameter "5S".
click 808 336
click 808 "$(row_y 347 1)"
click 808 366
shoot_here kz7-basic-lighting-list-en.png
click 808 "$(row_y 377 3)"
# Loop colour 2 switched; DPI Stage3 with its second LED.
click 732 448
click 783 518
click 783 "$(row_y 529 2)"
click 783 548
shoot kz7-basic-edited-en.png

click 669 619  # Apply
CONFIG="$DATA/config.bin"
check "apply: config.bin saved (flag 1)" wait_for 5 bash -c "[ \"\$(od -An -tu1 -N1 '$CONFIG' | tr -d ' ')\" = 1 ]"
check "apply: the window stays open" window_shown
check "Mode A button 2 is Combo Key" test "$(record_byte "$CONFIG" 1)" = 12
check "Mode A button 2: Left Ctrl" test "$(record_byte "$CONFIG" $((132 + 1)))" = 1
check "Mode A button 2: C" test "$(record_byte "$CONFIG" $((144 + 1)))" = 6
check "Mode A button 2: V" test "$(record_byte "$CONFIG" $((156 + 1)))" = 25
check "Mode A button 3 is Single Key" test "$(record_byte "$CONFIG" 2)" = 11
check "Mode A button 3: Enter" test "$(record_byte "$CONFIG" $((120 + 2)))" = 40
check "Mode A button 4 is Fire Key" test "$(record_byte "$CONFIG" 3)" = 10
check "Mode A button 4: row 14, key O" test "$(record_byte "$CONFIG" $((72 + 3))):$(record_byte "$CONFIG" $((84 + 3)))" = 14:18
check "Mode A button 4: speed 12, 4 shots" test "$(record_byte "$CONFIG" $((96 + 3))):$(record_byte "$CONFIG" $((108 + 3)))" = 12:4
check "Mode A button 5 is Multimedia Vol-" test "$(record_byte "$CONFIG" 4):$(record_byte "$CONFIG" $((12 + 4))):$(record_byte "$CONFIG" $((24 + 4)))" = 9:6:234
check "Mode A button 6 is Browser-My Favorites" test "$(record_byte "$CONFIG" 5):$(record_byte "$CONFIG" $((36 + 5))):$(record_byte "$CONFIG" $((48 + 5))):$(record_byte "$CONFIG" $((60 + 5)))" = 8:10:42:2
check "Mode B button 4 is macro Spray, until released" test "$(record_byte "$CONFIG" $((192 + 3))):$(record_byte "$CONFIG" $((192 + 168 + 3))):$(record_byte "$CONFIG" $((192 + 180 + 3)))" = 13:1:2
check "Mode B button 2 is Triple-click" test "$(record_byte "$CONFIG" $((192 + 1)))" = 5
check "Mode B button 6 is DPI Switch" test "$(record_byte "$CONFIG" $((192 + 5)))" = 6
check "Mode B button 6 switches DPI +" test "$(record_byte "$CONFIG" $((1961 + 12 + 5)))" = 1
check "the page shows Mode A" test "$(record_byte "$CONFIG" 1960)" = 0
check "report rate 250 Hz" test "$(record_byte "$CONFIG" 1925)" = 4
check "DPI stage 3 at level 5" test "$(record_byte "$CONFIG" $((1927 + 2)))" = 4
check "DPI stage 4 off" test "$(record_byte "$CONFIG" $((1931 + 3)))" = 0
check "lighting: Respiration Mode" test "$(record_byte "$CONFIG" 1947)" = 2
check "lighting: parameter 5S" test "$(record_byte "$CONFIG" $((1948 + 1)))" = 3
check "loop colour 2 switched off" test "$(record_byte "$CONFIG" $((1985 + 1)))" = 0
check "DPI stage 3's second LED" test $(( $(record_byte "$CONFIG" $((2017 + 1))) & 0x02 )) = 2
check "str.ini: button 2's label" grep -qxF 'Item2=Combo Key-Left Ctrl+C+V' "$DATA/str.ini"
check "str.ini: button 3's label" grep -qxF 'Item3=Single Key-Enter' "$DATA/str.ini"
check "str.ini: button 4's label" grep -qxF 'Item4=Fire Key-O' "$DATA/str.ini"
check "str.ini: button 5's label" grep -qxF 'Item5=Multimedia-Vol-' "$DATA/str.ini"
check "str.ini: button 6's label" grep -qxF 'Item6=Browser-My Favorites' "$DATA/str.ini"
check "str.ini: Mode B button 4's label" grep -qxF 'Item43=Macro Key-Spray' "$DATA/str.ini"
check "str.ini: Mode B button 2's label" grep -qxF 'Item23=Triple-click' "$DATA/str.ini"
check "str.ini: Mode B button 6's label" grep -qxF 'Item63=DPI +' "$DATA/str.ini"
"$KZ7CTL" matrices "$CONFIG" >"$WORK/matrices.txt"
word() {  # matrix, slot: the four bytes of the slot's action word
  grep "^matrix $1:" "$WORK/matrices.txt" | cut -d' ' -f$((3 + 4 * $2))-$((6 + 4 * $2))
}
check "matrix 1, button 2: the combo word" test "$(word 1 1)" = "00 01 06 19"
check "matrix 1, button 3: the single key word" test "$(word 1 2)" = "00 00 28 00"
check "matrix 3, button 2: triple-click" test "$(word 3 1)" = "0a f0 20 03"
check "matrix 1, button 4: the fire word" test "$(word 1 3)" = "0a 12 0c 04"
check "matrix 1, button 5: the media word" test "$(word 1 4)" = "03 00 ea 00"
check "matrix 1, button 6: the launch word" test "$(word 1 5)" = "03 00 2a 02"
check "matrix 3, button 4: the macro word" test "$(word 3 3)" = "09 02 02 00"
check "matrix 3, button 6: DPI +" test "$(word 3 5)" = "07 00 01 00"

close_and_check_exit "basic page"

# The open list and its sub-menu in the second skin and in Simplified Chinese.
show_function_list() {  # screenshot
  click 357 "$(box_y 6)"
  hover 357 "$(row_y "$(list_top 6)" 6)"
  shoot_here "$1"
  click 357 "$(box_y 6)"
}
SKIN_DATA="$WORK/crimson"
mkdir -p "$SKIN_DATA"
printf '[Skins]\nRColor=255\nGColor=214\nBColor=214\nPath=Crimson\n' >"$SKIN_DATA/str.ini"
check "second skin: started" start_kz7 "$SKIN_DATA" "$WORK/crimson.log"
show_function_list kz7-basic-function-list-crimson-en.png
close_and_check_exit "second skin"

LOCALE_ENV=(LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8)
check "chs: started" start_kz7 "$WORK/chs" "$WORK/chs.log"
show_function_list kz7-basic-function-list-default-chs.png
close_and_check_exit "chs"
LOCALE_ENV=(LANG=C.UTF-8)

finish_journey "basic page journey"
