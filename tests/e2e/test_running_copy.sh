#!/usr/bin/env bash
# With the word processor open, Next on the welcome page and Next on the Start
# page each show the running-copy message once per press and leave the wizard
# where it was; once the word processor is closed, Next goes on.
# timeout: 400
source "$(dirname "$0")/lib/testing.sh"
e2e_begin
[ -f "$KRE_EXE" ] || e2e_fail "$KRE_EXE is not built"

# Starts the stand-in word processor and waits for its window; sets KRE_WINDOW.
open_word_processor() {
  e2e_background wine_run "$PFX" "$KRE_EXE" </dev/null >/dev/null 2>&1
  KRE_WINDOW=$(drv find --exe kre.exe --caption "Traitement de texte Brevanto" --timeout 20000) ||
    e2e_fail "the word processor shows no window"
}

# Next refused on page $1 with the running-copy message; $2 names the screenshot.
refused_on() {
  e2e_press "$NEXT_BTN"
  e2e_dialog Information "$RUNNING_COPY_TEXT" "$2"
  e2e_answer OK
  sleep 0.3
  e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[$1]}" "page after the running-copy message"
}

open_word_processor
e2e_open
refused_on 0 running-copy-page0
refused_on 0 running-copy-page0-again
e2e_close_kre "$KRE_WINDOW"
e2e_next_through 4
open_word_processor
refused_on 4 running-copy-page4
e2e_expect_eq "$(e2e_button_state "$BACK_BTN")" "visible enabled" "Back on page 4 after the message"
e2e_close_kre "$KRE_WINDOW"
e2e_next_to 5 20
e2e_wait_page 6 60
e2e_abandon
