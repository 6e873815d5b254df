#!/usr/bin/env bash
# setup.exe starts, reports the catalogue of its attached archive in a message
# box under its own title, and after OK ends with exit code 0 leaving none of
# its temporary files behind.
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

e2e_start_setup
box=$(drv find --exe setup.exe --class '#32770' --caption "$SETUP_TITLE" --timeout 30000) ||
  e2e_fail "no message box titled \"$SETUP_TITLE\""
e2e_shot message
text=$(drv text "$box" 0xFFFF) || e2e_fail "cannot read the message text"
e2e_note "message: $text"
e2e_expect_contains "$text" "259 fichiers" "message text"

drv click "$box" 1 || e2e_fail "cannot press OK"
drv wait-gone "$box" --timeout 10000 || e2e_fail "the message box stays after OK"
e2e_wait_setup_exit 30
e2e_expect_eq "$SETUP_EXIT" 0 "exit code"

temp=$(e2e_user_temp)
left=$(find "$temp" -maxdepth 1 -name "$SETUP_TEMP_PREFIX*" -printf '%f\n')
[ -z "$left" ] || e2e_fail "temporary files left in $temp: $left"
