#!/usr/bin/env bash
# The driver's hold on the machine, without the setup program: a removable
# drive plugged in and out while the server runs, seen at once by a new
# process; a file held without sharing refuses a second opener until its
# signal file appears; another process's command line read as it was given.
# timeout: 90
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

drv_server_start
stick=$PFX/stick
mkdir -p "$stick"
echo on-the-stick >"$stick/seen.txt"
e2e_expect_eq "$(drv drives | paste -sd ' ')" "c: fixed z: fixed" "drives before"
drv drive-add e "$stick" || e2e_fail "cannot plug e:"
e2e_expect_eq "$(drv drives | paste -sd ' ')" "c: fixed e: removable z: fixed" "drives plugged"
drv hold 'e:\seen.txt' 'e:\seen.txt' --timeout 1000 >/dev/null || e2e_fail "e: does not show the folder"
drv drive-remove e || e2e_fail "cannot unplug e:"
e2e_expect_eq "$(drv drives | paste -sd ' ')" "c: fixed z: fixed" "drives unplugged"

mkdir -p "$PFX/drive_c/held"
e2e_hold 'C:\held\file.txt' "$PFX/drive_c/held/release"
holder=$HOLD_PID
drv hold 'C:\held\file.txt' 'C:\held\file.txt' --timeout 0 2>/dev/null &&
  e2e_fail "a held file opened a second time"
: >"$PFX/drive_c/held/release"
wait "$holder" || e2e_fail "the holder did not end on its signal"
drv hold 'C:\held\file.txt' 'C:\held\file.txt' --timeout 0 >/dev/null ||
  e2e_fail "the file stays held after the signal"

folder="$PFX/drive_c/Program Files/Brevanto"
mkdir -p "$folder"
cp "$KRE_EXE" "$folder/kre.exe"
kre='C:\Program Files\Brevanto\kre.exe'
wine_run "$PFX" "$PROBE_EXE" exec "$kre" >/dev/null </dev/null {E2E_DRV_IN}>&- {E2E_DRV_OUT}<&- ||
  e2e_fail "cannot start kre.exe"
e2e_expect_eq "$(drv cmdline --exe kre.exe --timeout 20000)" "\"$kre\"" "kre.exe's command line"
window=$(drv find --exe kre.exe --timeout 20000) || e2e_fail "kre.exe shows no window"
e2e_close_kre "$window"
