#!/usr/bin/env bash
# Cancel during the extraction. The installation is held at known points, so
# that nothing depends on how fast it runs: Basic.asn, the last file of the
# last component, is held open by another program throughout, so the
# installation cannot end. The first Cancel, right behind Next, finds it under
# way; "&Non" lets it go on up to the held file, whose error dialog shows it
# has gone on (the bar has grown). There the setup's worker thread is frozen;
# the error is answered "&Réessayer" and Cancel pressed before the worker can
# take the answer up; the question answered "A&bandonner" closes the wizard at
# once. The settings, the uninstall entry and the install log are written;
# the finishing actions are not, and the held file is not touched.
# timeout: 360
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

signals=$PFX/drive_c/signals
public="$(e2e_program_data)/Brevanto/Public"
mkdir -p "$signals" "$public"
held='C:\ProgramData\Brevanto\Public\Basic.asn'
e2e_hold "$held" "$signals/asn"
holder=$HOLD_PID

e2e_open
e2e_next_through 4
# Cancel right behind Next, as a quick hand would.
drv press "$WIZ" "$NEXT_BTN" "$CANCEL_BTN" --timeout 5000 || e2e_fail "cannot press Next and Cancel"
e2e_dialog Confirmation "$CANCEL_QUESTION" cancel-question-1
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[5]}" "page under the first question"
bar=$(drv child "$WIZ" --class msctls_progress32 --timeout 1000) || e2e_fail "no progress bar"
read -r first _ high < <(drv progress "$bar")
e2e_note "first question at $first of $high"
[ "$first" -lt "$high" ] || e2e_fail "the bar is full under the first question"

e2e_answer "&Non"
e2e_dialog Erreur "$(e2e_cannot_create_text "$held")" held-file-error
read -r at_error _ _ < <(drv progress "$bar")
e2e_note "the held file reached at $at_error of $high"
[ "$at_error" -gt "$first" ] || e2e_fail "the bar did not grow after \"&Non\" ($first, then $at_error)"

e2e_freeze
e2e_answer "&Réessayer"
e2e_press "$CANCEL_BTN"
e2e_dialog Confirmation "$CANCEL_QUESTION" cancel-question-2
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[5]}" "page under the second question"
read -r second _ _ < <(drv progress "$bar")
[ "$second" -lt "$high" ] || e2e_fail "the bar is full under the second question"
drv press "$DLG" "A&bandonner" --timeout 5000 ";;" wait-gone "$DLG" --timeout 10000 ";;" \
  thaw "$WIZ" >/dev/null || e2e_fail "cannot answer \"A&bandonner\""
e2e_expect_exit
: >"$signals/asn"
wait "$holder" || e2e_fail "the hold on Basic.asn ended badly"
e2e_stop_wine

dir="$(e2e_program_files)/Brevanto"
e2e_expect_file "$dir/kre.exe"
e2e_expect_file "$dir/Install.log"
e2e_expect_eq "$(stat -c %s "$public/Basic.asn")" 0 "size of the held Basic.asn"
for f in kre_common.dat Update.log; do e2e_expect_no_file "$(e2e_program_data)/Brevanto/$f"; done
[ -z "$(find "$PFX/drive_c" -name 'Traitement de texte Brevanto.lnk')" ] || e2e_fail "a shortcut was made"
e2e_expect_no_file "$dir/kre-commands.log"
e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" MAINDIR)" "$INSTALL_WIN" "MAINDIR after the cancel"
e2e_reg_raw system "$UNINSTALL_KEY" UninstallString >/dev/null || e2e_fail "no uninstall entry after the cancel"
