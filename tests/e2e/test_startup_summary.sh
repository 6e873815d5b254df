#!/usr/bin/env bash
# setup.exe starts, gives its hidden application window its title, reports the catalogue of its attached archive in a message box under its own
# title, and after OK ends with exit code 0 leaving none of its temporary files
# behind, not even those an earlier run left.
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

temp=$(e2e_user_temp)
mkdir -p "$temp/${SETUP_TEMP_PREFIX}" "$temp/other"
echo left >"$temp/${SETUP_TEMP_PREFIX}7.tmp"
echo left >"$temp/${SETUP_TEMP_PREFIX}/inside.txt"

e2e_start_setup
box=$(drv find --exe setup.exe --class '#32770' --caption "$SETUP_TITLE" --timeout 30000) ||
  e2e_fail "no message box titled \"$SETUP_TITLE\""
e2e_shot message
text=$(drv text "$box" 0xFFFF) || e2e_fail "cannot read the message text"
e2e_note "message: $text"
e2e_expect_contains "$text" "259 fichiers" "message text"

drv find --exe setup.exe --hidden --not-class "#32770" --caption "$SETUP_TITLE" --timeout 1000 >/dev/null ||
  e2e_fail "no application window titled \"$SETUP_TITLE\""
# (Its icon cannot be read from another process under Wine: WM_GETICON fails
# there with ERROR_INVALID_HANDLE. test_icon_resource checks the icon itself.)

drv click "$box" 1 || e2e_fail "cannot press OK"
drv wait-gone "$box" --timeout 10000 || e2e_fail "the message box stays after OK"
e2e_wait_setup_exit 30
e2e_expect_eq "$SETUP_EXIT" 0 "exit code"

left=$(find "$temp" -maxdepth 1 -name "$SETUP_TEMP_PREFIX*" -printf '%f\n')
[ -z "$left" ] || e2e_fail "temporary files left in $temp: $left"
[ -d "$temp/other" ] || e2e_fail "a folder without the prefix was removed from $temp"
