#!/usr/bin/env bash
# The skins button used as a user would: the skins dialog's list, the second
# skin chosen with OK and drawn at once, the colour chooser cancelled and
# then used, the way back to the default skin, and Cancel; str.ini checked
# after each. Screenshots of the dialog and of the window in the new skin.
#
# usage: skins_journey.sh BUILD_DIR SHOT_DIR
set -u

. "$(dirname "$0")/journey_lib.sh"

DATA="$WORK/skins"
LOG="$WORK/skins.log"
check "skins: started" start_kz7 "$DATA" "$LOG"
shoot kz7-skins-before-en.png

# The dialogs open at the top-left of the window's client area, so their
# zones are clicked at the same window coordinates.
shoot_dialog() {  # file name: the dialog over the window, as the user sees it
  local id; id=$(xdotool search --onlyvisible --name '^kz7$' | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  sleep 0.3
  import -window root -crop "380x310+$X+$Y" +repage "$SHOTS/$1"
}
# Row r of the skin list (its top is 146) at the row's middle.
row_y() { echo $((146 + 1 + 16 * $1 + 8)); }
open_skins() { click 710 14; sleep 0.3; }
open_list() { click 97 136; }
dialog_ok() { click 218 263; }
dialog_cancel() { click 322 263; }
skins_key() { grep -A4 '^\[Skins\]' "$DATA/str.ini" | grep "^$1=" ; }

# The list: the default skin, then Crimson. Crimson with OK.
open_skins
open_list
hover 97 "$(row_y 1)"
shoot_dialog kz7-dialog-skins-list-en.png
click 97 "$(row_y 1)"
# The swatch opens the desktop's colour chooser; Escape leaves the colour as it was.
chooser_shown() { [ -n "$(xdotool search --onlyvisible --name '^Select Colou?r$' 2>/dev/null)" ]; }
click 96 102
check "swatch: the colour chooser opens" wait_for 5 chooser_shown
import -window "$(xdotool search --onlyvisible --name '^Select Colou?r$' | head -n1)" "$SHOTS/kz7-skins-colour-chooser.png"
xdotool key Escape
check "swatch: Escape closes the colour chooser" wait_for 5 bash -c "! xdotool search --onlyvisible --name '^Select Colou?r$'"
# Again, and a colour typed into the chooser's HTML field, taken with Enter.
click 96 102
check "swatch: the colour chooser opens again" wait_for 5 chooser_shown
chooser=$(xdotool search --onlyvisible --name '^Select Colou?r$' | head -n1)
xdotool mousemove --window "$chooser" 415 347 click --repeat 3 1
sleep 0.2
xdotool type --delay 30 '#ff8000'
xdotool key Return
check "swatch: Enter takes the colour" wait_for 5 bash -c "! xdotool search --onlyvisible --name '^Select Colou?r$'"
shoot_dialog kz7-dialog-skins-en.png
dialog_ok
check "Crimson: its folder name is saved" test "$(skins_key Path)" = "Path=Crimson"
check "Crimson: the colour chosen is saved" test "$(skins_key RColor) $(skins_key GColor) $(skins_key BColor)" = \
  "RColor=255 GColor=128 BColor=0"
check "Crimson: the window stays open" window_shown
shoot kz7-skins-after-crimson-en.png
check "Crimson: the window is drawn anew" bash -c \
  "! cmp -s '$SHOTS/kz7-skins-before-en.png' '$SHOTS/kz7-skins-after-crimson-en.png'"

# Cancel changes nothing.
before=$(md5sum <"$DATA/str.ini")
open_skins
open_list
click 97 "$(row_y 0)"
dialog_cancel
check "Cancel: str.ini unchanged" test "$(md5sum <"$DATA/str.ini")" = "$before"

# Back to the default skin.
open_skins
open_list
click 97 "$(row_y 0)"
dialog_ok
check "default skin: an empty name is saved" test "$(skins_key Path)" = "Path="
shoot kz7-skins-back-to-default-en.png

close_and_check_exit "skins"

finish_journey "skins journey"
