#!/usr/bin/env bash
# The stand-in word processor kre.exe, installed where the setup puts it and
# started with the command lines the setup gives it: the association and removal
# commands are appended exactly to kre-commands.log beside it and end at once
# with exit code 0; the launch command opens a window whose property
# "1.x Corvo Lune" another program finds, and records LastRunVer for the user;
# closing the window removes the property and ends the program with code 0.
# timeout: 150
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

[ -f "$KRE_EXE" ] || e2e_fail "$KRE_EXE is not built"
[ -f "$PROBE_EXE" ] || e2e_fail "$PROBE_EXE is not built"
PROPERTY="1.x Corvo Lune"
TITLE="Traitement de texte Brevanto"

folder="$PFX/drive_c/Program Files/Brevanto"
mkdir -p "$folder"
cp "$KRE_EXE" "$folder/kre.exe"
kre='C:\Program Files\Brevanto\kre.exe'
log=$folder/kre-commands.log

probe() { wine_run "$PFX" "$PROBE_EXE" "$@" </dev/null | tr -d '\r'; }

assoc=$(probe exec "$kre" -assoc adpr_rtf) || e2e_fail "WinExec of the association command failed"
e2e_expect_eq "$assoc" "\"$kre\" -assoc adpr_rtf" "association command line"
e2e_until 30 test -s "$log" || e2e_fail "the association command wrote nothing to kre-commands.log"
remove=$(probe run "$kre" -ui) || e2e_fail "the removal command did not end at once with code 0"
e2e_expect_eq "$(cat "$log")" "$(printf '%s\r\n%s\r' "$assoc" "$remove")" "kre-commands.log"
probe marked "$PROPERTY" --absent --timeout 0 >/dev/null || e2e_fail "a command opened a window"

# Started by a probe that waits for it, so its exit code is known after it closes.
probe run --timeout 60000 "$kre" >"$ART/launch.out" 2>&1 &
launch=$!
marked=$(probe marked "$PROPERTY" --timeout 20000) || e2e_fail "no window carries \"$PROPERTY\""
window=$(drv find --exe kre.exe --caption "$TITLE" --timeout 10000 | tr -d '\r') ||
  e2e_fail "no window titled \"$TITLE\""
e2e_expect_eq "$((marked))" "$((window))" "the marked window"
sleep 0.5
e2e_shot window

drv close "$window" || e2e_fail "cannot close the window"
probe marked "$PROPERTY" --absent --timeout 10000 >/dev/null ||
  e2e_fail "\"$PROPERTY\" stays after the window was closed"
wait "$launch" || e2e_fail "kre.exe did not end with code 0 after closing: $(cat "$ART/launch.out")"

wine_stop_prefix "$PFX"
grep -A3 -F '[Software\\Brevanto Word Processor\\Internal]' "$PFX/user.reg" |
  grep -qx '"LastRunVer"=dword:01ce5b48' || e2e_fail "user.reg has no LastRunVer 30301000"
grep -c . "$log" | grep -qx 2 || e2e_fail "the launch wrote to kre-commands.log"
