#!/usr/bin/env bash
# Cancel during the extraction: the question holds the installation, "&Non"
# lets it go on (the bar grows), a second Cancel answered "A&bandonner" closes
# the wizard at once; the settings, the uninstall entry and the install log
# are written, the finishing actions are not.
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

e2e_start_setup
e2e_wizard
e2e_wait_page 0 30
e2e_next_to 1
e2e_next_to 2
e2e_next_to 3
e2e_next_to 4
# Cancel right behind Next, as a quick hand would: it arrives while the
# installation has only just started.
drv press "$WIZ" "$NEXT_BTN" "$CANCEL_BTN" --timeout 5000 || e2e_fail "cannot press Next and Cancel"
e2e_dialog Confirmation "$CANCEL_QUESTION" cancel-question-1
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[5]}" "page under the first question"
bar=$(drv child "$WIZ" --class msctls_progress32 --timeout 1000) || e2e_fail "no progress bar"
read -r first _ high < <(drv progress "$bar")
e2e_note "first question at $first of $high"
[ "$first" -lt "$high" ] || e2e_fail "the installation had ended before the first question"

# "&Non", then Cancel again as soon as the bar has moved on.
moved=$(drv press "$DLG" "&Non" --timeout 5000 ";;" wait-gone "$DLG" --timeout 5000 ";;" \
  wait-progress "$bar" --above "$first" --timeout 20000 ";;" press "$WIZ" "$CANCEL_BTN" --timeout 5000) ||
  e2e_fail "the installation did not go on after \"&Non\""
e2e_dialog Confirmation "$CANCEL_QUESTION" cancel-question-2
read -r second _ _ < <(drv progress "$bar")
e2e_note "second question at $second of $high (the bar had reached $moved)"
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[5]}" "page under the second question"
[ "$second" -lt "$high" ] || e2e_fail "the installation had ended before the second question"
e2e_answer "A&bandonner"
e2e_wait_setup_exit 30
e2e_expect_eq "$SETUP_EXIT" 0 "exit code"
e2e_stop_wine

dir="$(e2e_program_files)/Brevanto"
e2e_expect_file "$dir/kre.exe"
e2e_expect_file "$dir/Install.log"
e2e_expect_no_file "$(e2e_program_data)/Brevanto/kre_common.dat"
e2e_expect_no_file "$(e2e_program_data)/Brevanto/Update.log"
[ -z "$(find "$PFX/drive_c" -name 'Traitement de texte Brevanto.lnk')" ] || e2e_fail "a shortcut was made"
e2e_expect_no_file "$dir/kre-commands.log"
e2e_expect_eq "$(e2e_reg_string user 'Software\Brevanto Word Processor\Install' MAINDIR)" \
  'C:\Program Files\Brevanto' "MAINDIR after the cancel"
e2e_reg_raw system 'Software\Microsoft\Windows\CurrentVersion\Uninstall\Brevanto Word Processor' \
  UninstallString >/dev/null || e2e_fail "no uninstall entry after the cancel"
