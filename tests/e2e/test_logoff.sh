#!/usr/bin/env bash
# The end of the session under the wizard (wineboot --end-session). While the
# extraction runs, held at a locked file, the wizard refuses it and goes on;
# after the extraction, on the associations page, it lets it through and
# closes without a question, with the settings, the uninstall entry and the
# install log written. (Wine's wineboot never ends a session that a program
# refused, so the end that comes anyway is tested in-process and natively.)
# timeout: 360
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

end_session() { wine_run "$PFX" wineboot --end-session </dev/null >>"$ART/wineboot.out" 2>&1; }

signals=$PFX/drive_c/signals
mkdir -p "$signals" "$(e2e_program_files)/Brevanto"
pf="$INSTALL_WIN"
e2e_hold "$pf\\Coupe de mots.dat" "$signals/held"
holder=$HOLD_PID

e2e_open
e2e_next_through 5
# The installation waits for the answer about the held file.
e2e_dialog Erreur "" held-file
if end_session; then
  e2e_fail "the end of the session was let through during the extraction"
fi
kill -0 "$SETUP_PID" 2>/dev/null || e2e_fail "setup.exe ended at the refused end of the session"
e2e_expect_eq "$(e2e_title)" "${PAGE_TITLES[5]}" "page after the refused end"
e2e_shot refused-end
: >"$signals/held"
wait "$holder" || true
e2e_answer "&Réessayer"
e2e_wait_page 6 60
end_session || e2e_fail "the end of the session was refused after the extraction"
e2e_expect_exit "exit code after the end of the session"
e2e_stop_wine
dir="$(e2e_program_files)/Brevanto"
e2e_expect_file "$dir/Coupe de mots.dat"
grep -qF "File Copy: $pf\\kre.exe" "$dir/Install.log" || e2e_fail "Install.log lacks kre.exe"
e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" MAINDIR)" "$pf" \
  "MAINDIR after the end of the session"
e2e_reg_raw system "$UNINSTALL_KEY" UninstallString >/dev/null || e2e_fail "no uninstall entry after the end of the session"
# The wizard closed as the close box would: no finishing actions.
e2e_expect_no_file "$(e2e_program_data)/Brevanto/kre_common.dat"
