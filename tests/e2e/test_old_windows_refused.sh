#!/usr/bin/env bash
# On a system older than Windows 2000 (Wine told to report NT 4.0) setup.exe
# only shows its refusal, in French, in the system's message box, and ends
# with exit code 0 after OK: no wizard, no setting read or written.
# timeout: 90
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

# Written while no server runs in the fresh prefix, so the server loads it.
wine_reg_append "$PFX" user 'Software\\Wine' '"Version"="nt40"'

e2e_start_setup
box=$(drv find --exe setup.exe --class '#32770' --timeout 30000) ||
  e2e_fail "no message box"
e2e_shot refusal
text=$(drv text "$box" 0xFFFF) || e2e_fail "cannot read the message text"
e2e_expect_eq "$text" "Ce programme nécessite Windows 2000 ou un système Windows plus récent." \
  "message text"
caption=$(drv caption "$box")
[ "$caption" != "$SETUP_TITLE" ] || e2e_fail "the refusal must use the system's default caption"

drv find --exe setup.exe --class TMainDlgForm --hidden --timeout 0 >/dev/null &&
  e2e_fail "a wizard window exists beside the refusal"

drv click "$box" 1 || e2e_fail "cannot press OK"
e2e_expect_exit
e2e_stop_wine
! e2e_reg_has_key user "$SETTINGS_KEY" ||
  e2e_fail "the refusal opened the settings"
