#!/usr/bin/env bash
# Destination files held open by another program. The first run meets a held
# kre.exe, answered Retry once it is released, and a held Licence.txt, answered
# Ignore: the installation completes with kre.exe written and Licence.txt left
# alone. The second run, into another folder, meets a held kre.exe answered
# Abort: the wizard closes at once, and the settings, the uninstall entry and
# the install log are written all the same.
# timeout: 570
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

# From the welcome page to the installing page; $1: the folder to type, if any.
to_installation() {
  E2E_SHOTS=$run-
  e2e_open
  e2e_next_through 2
  [ -z "${1:-}" ] || drv set-text "$(e2e_control Edit)" . "$1" || e2e_fail "cannot type the folder"
  e2e_next_through 5
}

signals=$PFX/drive_c/signals
mkdir -p "$signals"
pf="$INSTALL_WIN"
dir="$(e2e_program_files)/Brevanto"
mkdir -p "$dir"
e2e_hold "$pf\\kre.exe" "$signals/kre"
kre_holder=$HOLD_PID
e2e_hold "$pf\\Licence.txt" "$signals/licence"

run=first
to_installation
e2e_dialog Erreur "$(e2e_cannot_create_text "$pf\\kre.exe")" first-error-kre
: >"$signals/kre"
wait "$kre_holder" || e2e_fail "the hold on kre.exe ended badly"
e2e_answer "&Réessayer"
e2e_dialog Erreur "$(e2e_cannot_create_text "$pf\\Licence.txt")" first-error-licence
e2e_answer "I&gnorer"
e2e_wait_page 6 60
: >"$signals/licence"
e2e_next_to 7
e2e_finish_without_launch "exit code (first run)"
[ "$(stat -c %s "$dir/kre.exe")" -gt 0 ] || e2e_fail "kre.exe was not written after Retry"
e2e_expect_eq "$(stat -c %s "$dir/Licence.txt")" 0 "size of the ignored Licence.txt"
grep -qxF "File Copy: $pf\\kre.exe"$'\r' "$dir/Install.log" || e2e_fail "Install.log lacks kre.exe"
grep -qF "Licence.txt" "$dir/Install.log" && e2e_fail "Install.log records the ignored Licence.txt"
e2e_expect_file "$dir/Coupe de mots.dat"

other='C:\Autre\Brevanto'
other_dir=$PFX/drive_c/Autre/Brevanto
mkdir -p "$other_dir"
e2e_hold "$other\\kre.exe" "$signals/kre2"
run=second
to_installation "$other"
e2e_dialog Erreur "$(e2e_cannot_create_text "$other\\kre.exe")" second-error-kre
drv press "$DLG" "A&bandonner" --timeout 5000 || e2e_fail "cannot press Abort"
e2e_expect_exit "exit code (second run)"
: >"$signals/kre2"
e2e_stop_wine
e2e_expect_no_file "$other_dir/Licence.txt"
e2e_expect_file "$other_dir/Install.log"
e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" MAINDIR)" "$other" \
  "MAINDIR after Abort"
e2e_expect_eq "$(e2e_reg_string system "$UNINSTALL_KEY" DisplayIcon)" \
  "$other\\kre.exe" "DisplayIcon after Abort"
