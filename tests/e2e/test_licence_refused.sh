#!/usr/bin/env bash
# The licence refused: with its box unticked, Next asks the question; "&Non"
# and Esc keep the licence page, "&Oui" closes the wizard. Nothing is installed and no
# setting is written; the setup's temporary files, also those an earlier run
# left, are gone when it ends.
# timeout: 210
source "$(dirname "$0")/lib/testing.sh"
e2e_begin
question=$'L\'installation de ce programme est liée à l\'acceptation de l\'ensemble des termes\rdu Contrat de Licence du traitement de texte Brevanto.\rVoulez-vous vraiment annuler l\'installation d\'Brevanto ?'

temp=$(e2e_user_temp)
mkdir -p "$temp/${SETUP_TEMP_PREFIX}" "$temp/other"
echo left >"$temp/${SETUP_TEMP_PREFIX}7.tmp"
echo left >"$temp/${SETUP_TEMP_PREFIX}/inside.txt"

e2e_open
e2e_next_to 1
box=$(e2e_control Button "$LICENCE_BOX")
e2e_click_box "$box" 0
e2e_shot page1-unticked

e2e_press "$NEXT_BTN"
e2e_dialog Information "$question" refusal-question
e2e_answer "&Non"
sleep 0.3
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[1]}" "page after \"&Non\""

# Esc answers the question like "&Non".
e2e_press "$NEXT_BTN"
e2e_dialog Information "$question" refusal-question-esc
drv key "$(drv focus "$DLG" | cut -d' ' -f1)" escape ";;" wait-gone "$DLG" --timeout 5000 ||
  e2e_fail "Esc does not answer the question"
sleep 0.3
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[1]}" "page after Esc"

e2e_press "$NEXT_BTN"
e2e_dialog Information "$question" refusal-question-again
e2e_answer "&Oui"
e2e_expect_exit
e2e_stop_wine

e2e_expect_no_file "$(e2e_program_files)/Brevanto"
e2e_expect_no_file "$(e2e_program_data)/Brevanto"
! e2e_reg_raw user "$SETTINGS_KEY" MAINDIR >/dev/null ||
  e2e_fail "the refusal wrote settings"
! e2e_reg_has_key system "$UNINSTALL_KEY" ||
  e2e_fail "the refusal wrote an uninstall entry"
left=$(find "$temp" -maxdepth 1 -name "$SETUP_TEMP_PREFIX*" -printf '%f\n')
[ -z "$left" ] || e2e_fail "temporary files left in $temp: $left"
[ -d "$temp/other" ] || e2e_fail "a folder without the prefix was removed from $temp"
