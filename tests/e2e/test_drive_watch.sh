#!/usr/bin/env bash
# The destination page follows the drives: a removable drive plugged in while
# the page is on show becomes the proposal (e:\Brevanto); unplugged again, the
# proposal goes back to the program-files folder. Drives come and go through
# Wine's mount manager while the setup runs. The watch looks once a second;
# the time it took is noted, and only a wait far beyond that (a watch that
# never follows) fails, since a loaded machine may delay any timer.
# timeout: 250
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

stick=$PFX/stick
mkdir -p "$stick"

e2e_open
e2e_next_through 2
edit=$(e2e_control Edit)
drives=$(e2e_control ComboBox)
e2e_expect_eq "$(drv text "$edit" .)" "$INSTALL_WIN" "proposed folder"
drv rows "$drives" | cut -f4 | grep -q '^e:' && e2e_fail "a drive e: before it was plugged in"

start=$(date +%s%N)
drv drive-add e "$stick" ";;" wait-text "$edit" . 'e:\Brevanto' --timeout 20000 ||
  e2e_fail "the proposal did not move to e:"
e2e_note "plugged in: followed after $(( ($(date +%s%N) - start) / 1000000 )) ms"
e2e_shot page2-plugged
e2e_expect_eq "$(drv text "$edit" .)" 'e:\Brevanto' "proposal on the plugged drive"
selected=$(drv rows "$drives" | awk -F '\t' '$3 == 1 { print substr($4, 1, 2) }')
e2e_expect_eq "$selected" "e:" "drive box selection after plugging"

start=$(date +%s%N)
drv drive-remove e ";;" wait-text "$edit" . "$INSTALL_WIN" --timeout 20000 ||
  e2e_fail "the proposal did not come back"
e2e_note "unplugged: followed after $(( ($(date +%s%N) - start) / 1000000 )) ms"
e2e_shot page2-unplugged
e2e_expect_eq "$(drv text "$edit" .)" "$INSTALL_WIN" "proposal after unplugging"
drv rows "$drives" | cut -f4 | grep -q '^e:' && e2e_fail "e: still listed after it was unplugged"
selected=$(drv rows "$drives" | awk -F '\t' '$3 == 1 { print substr($4, 1, 2) }')
e2e_expect_eq "$selected" "c:" "drive box selection after unplugging"

e2e_abandon
e2e_stop_wine
! e2e_reg_raw user "$SETTINGS_KEY" MAINDIR >/dev/null ||
  e2e_fail "a cancel before the installation wrote settings"
[ -z "$(ls -A "$stick")" ] || e2e_fail "something was written to the drive"
