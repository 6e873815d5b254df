#!/usr/bin/env bash
# A keyboard-only user, with real key events through the display. Every page
# has a focused control when it shows; Enter presses the focused button, else
# Next; Tab and Space work the check box and the check list; in the licence
# question and the file-error dialog, Tab then Enter gives the focused
# button's answer; Esc on the installing page, while the installation is held,
# asks the cancel question. A second run finishes a portable installation
# with Enter alone.
# timeout: 500
source "$(dirname "$0")/lib/testing.sh"
e2e_begin
command -v xdotool >/dev/null || e2e_fail "xdotool is not installed"

# Each step: the page on show, the focus expected there (class and, after a
# tab, its text), and the keys pressed then.
step() {
  local page=$1 class=$2 text=$3
  shift 3
  e2e_wait_page "$page" 30
  if [ -n "$text" ]; then e2e_wait_focus "$class" "$text"; else e2e_wait_focus "$class"; fi
  [ "$#" -eq 0 ] || e2e_keys "$@"
}

signals=$PFX/drive_c/signals
mkdir -p "$signals" "$(e2e_program_files)/Brevanto"
pf="$INSTALL_WIN"
e2e_hold "$pf\\kre.exe" "$signals/kre"
holder=$HOLD_PID

e2e_start_setup
e2e_wizard
step 0 Button "$NEXT_BTN" Return
# The licence refused with the keyboard, then "&Non" reached with Tab.
step 1 Edit "" Tab space Return
e2e_dialog Information "" licence-question
e2e_wait_focus Button "&Oui"
e2e_keys Tab
e2e_wait_focus Button "&Non"
e2e_keys Return
drv wait-gone "$DLG" --timeout 5000 >/dev/null || e2e_fail "Tab, Enter did not answer the licence question"
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[1]}" "page after \"&Non\""
e2e_wait_focus Button "$LICENCE_BOX"
e2e_keys space Return
step 2 Edit "" Return
# Space ticks the current row off: row 1 is current, Down makes it row 2.
step 3 ListBox "" Down space
e2e_wait_eq 10 "2 1 0 1 1 1 1" "rows after Down, Space" e2e_component_states
e2e_keys Return
step 4 Button "$NEXT_BTN" Return

# The held kre.exe: Esc does nothing in the error dialog (it has no cancel
# button), Tab moves from "&Réessayer" to "I&gnorer", Enter ignores the file.
e2e_dialog Erreur "" file-error
e2e_wait_focus Button "&Réessayer"
# The installation stays where it is from here on: its thread is held.
e2e_freeze
e2e_keys Escape Tab
e2e_wait_focus Button "I&gnorer"
e2e_keys Return
drv wait-gone "$DLG" --timeout 5000 >/dev/null || e2e_fail "Tab, Enter did not answer the error dialog"
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[5]}" "page after the error dialog"
e2e_wait_focus Button "$CANCEL_BTN"
e2e_expect_eq "$(e2e_button_state "$NEXT_BTN")" "visible disabled" "Next on the installing page"
# Esc asks; Esc again answers "&Non"; Esc asks again; Tab, Enter abandons.
e2e_keys Escape
e2e_dialog Confirmation "$CANCEL_QUESTION" cancel-question
e2e_wait_focus Button "&Non"
e2e_keys Escape
drv wait-gone "$DLG" --timeout 5000 >/dev/null || e2e_fail "Esc did not answer the cancel question"
e2e_wait_focus Button "$CANCEL_BTN"
e2e_keys Escape
e2e_dialog Confirmation "$CANCEL_QUESTION" cancel-question-2
e2e_keys Tab
e2e_wait_focus Button "A&bandonner"
e2e_keys Return
# The wizard hides and the program waits for the held thread, which then
# stops at its next file.
drv wait-state "$WIZ" . hidden --timeout 10000 >/dev/null || e2e_fail "\"A&bandonner\" did not close the wizard"
drv thaw "$WIZ" >/dev/null || e2e_fail "cannot let the install thread go"
e2e_expect_exit "exit code (first run)"
: >"$signals/kre"
wait "$holder" || true
e2e_expect_eq "$(stat -c %s "$(e2e_program_files)/Brevanto/kre.exe")" 0 "size of the ignored kre.exe"

# Portable, into e: (the -d argument), finished with Enter: the Finish page
# has the focus on "&Terminer"; Alt+L unticks the launch box first.
stick=$PFX/stick
mkdir -p "$stick"
ln -s "$stick" "$PFX/dosdevices/e:"
e2e_stop_wine
wine_reg_append "$PFX" system 'Software\\Wine\\Drives' '"e:"="floppy"'
e2e_start_setup '-de:\Brevanto'
e2e_wizard
step 0 Button "$NEXT_BTN" Return
step 1 Edit "" Return
step 2 Edit "" Return
step 3 ListBox "" Return
step 4 Button "$NEXT_BTN" Return
step 7 Button "$FINISH_BTN" alt+l
e2e_wait_eq 10 0 "launch box after Alt+L" e2e_checked "$LAUNCH_BOX"
e2e_keys Return
e2e_expect_exit "exit code (portable run)"
e2e_stop_wine
e2e_expect_file "$stick/Brevanto/kre.exe"
e2e_expect_no_file "$stick/Brevanto/Install.log"
