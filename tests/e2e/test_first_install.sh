#!/usr/bin/env bash
# A first installation with every default, page by page: the proposals of a
# clean account, the files in the install and data folders, the install and
# update logs, the shortcuts for all users, the association command, the
# settings and the uninstall entry, and the word processor started at the end
# with the quoted path of kre.exe alone.
# builds: win32 win64
# timeout: 420
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

e2e_open
e2e_expect_eq "$(e2e_button_state "$BACK_BTN")" "hidden enabled" "Back on the welcome page"
e2e_expect_contains "$(drv texts "$WIZ" --class Static --visible)" \
  "Ce programme va installer Traitement de texte Brevanto (Version Light) (version 3.3.1.0) sur votre ordinateur." \
  "the welcome text"

e2e_next_to 1
licence=$(drv text "$(e2e_control Edit)" .)
[ "${#licence}" -gt 100 ] || e2e_fail "the licence is not loaded: \"$licence\""
e2e_expect_eq "$(e2e_checked "$LICENCE_BOX")" 1 "licence box ticked initially"
e2e_wait_focus Edit

e2e_next_to 2
e2e_expect_eq "$(drv text "$(e2e_control Edit)" .)" "$INSTALL_WIN" "proposed folder"
e2e_wait_focus Edit "$INSTALL_WIN"

e2e_next_to 3
e2e_expect_eq "$(e2e_component_rows | cut -f4 | paste -sd '|')" "$(IFS='|'; echo "${COMPONENTS[*]}")" "component rows"
e2e_expect_eq "$(e2e_component_states)" "2 1 1 1 1 1 1" "component check states"
e2e_expect_eq "$(e2e_button_state "$NEXT_BTN")" "visible enabled" "Next with enough space"
e2e_wait_focus ListBox

e2e_next_to 4
e2e_expect_eq "$(e2e_checked "$INSTALL_TO_ALL_BOX")" 1 "install for all users, ticked"
e2e_wait_focus Button "$NEXT_BTN"

e2e_press "$NEXT_BTN"
e2e_wait_page 6 60
bar=$(drv child "$WIZ" --class msctls_progress32 --timeout 1000) || e2e_fail "no progress bar"
read -r position low high < <(drv progress "$bar")
if [ "$high" -le 0 ] || [ "$position" != "$high" ]; then
  e2e_fail "progress $position of $low..$high"
fi
e2e_expect_eq "$(e2e_assoc_states)" "0 1 0 0" "association boxes"
e2e_expect_eq "$(e2e_button_state "$BACK_BTN")" "visible disabled" "Back after the installation"
e2e_wait_focus Button "${ASSOC_BOXES[0]}"

e2e_next_to 7
e2e_expect_eq "$(e2e_button_state "$CANCEL_BTN")" "visible disabled" "Cancel on the finish page"
e2e_expect_eq "$(e2e_checked "$LAUNCH_BOX")" 1 "launch box ticked initially"

e2e_press "$FINISH_BTN"
e2e_expect_exit
kre="$INSTALL_WIN\\kre.exe"
e2e_expect_eq "$(drv cmdline --exe kre.exe --timeout 10000)" "\"$kre\"" "the launch command"
window=$(drv find --exe kre.exe --caption "Traitement de texte Brevanto" --timeout 10000) ||
  e2e_fail "the word processor shows no window"
e2e_shot launched
e2e_close_kre "$window"
e2e_stop_wine

# The install folder, its log, and the association command the stand-in logged.
dir="$(e2e_program_files)/Brevanto"
for f in kre.exe Licence.txt "Coupe de mots.dat" Install.log; do e2e_expect_file "$dir/$f"; done
e2e_expect_eq "$(cat "$dir/kre-commands.log")" "\"$kre\" -assoc adpr_cod"$'\r' "association command"
grep -qxF "File Copy: $kre"$'\r' "$dir/Install.log" ||
  e2e_fail "Install.log does not record kre.exe"
grep -q $'^File Copy: .*Traitement de texte Brevanto.lnk\r$' "$dir/Install.log" ||
  e2e_fail "Install.log does not record the shortcuts"
[ -z "$(tr -d '\r' <"$dir/Install.log" | sort -f | uniq -di)" ] || e2e_fail "Install.log repeats lines"

# The data folders.
data="$(e2e_program_data)/Brevanto"
e2e_expect_eq "$(stat -c %s "$data/kre_common.dat")" 25 "size of kre_common.dat"
e2e_expect_eq "$(stat -c %s "$data/Hidden/install_stamp")" 8 "size of install_stamp"
for f in French.asc "français.zlx" "English (American).cache" "English (British).cache" uk.zlx; do
  e2e_expect_file "$data/Public/Orthographe/$f"
done
cmp -s "$data/Public/Orthographe/English (American).cache" \
  "$data/Public/Orthographe/English (British).cache" || e2e_fail "the two English caches differ"
e2e_expect_file "$data/Public/Basic.asn"
e2e_expect_file -d "$data/Public/Modèles de document"
e2e_expect_file -d "$data/Public/Collections d'inserts"
head -n1 "$data/Update.log" | grep -qE $'^\\*[0-9A-F]{16}\r$' || e2e_fail "Update.log has no stamp line first"
grep -qxF $'C:\\ProgramData\\Brevanto\\Public\\Orthographe\\French.asc\t!\r' "$data/Update.log" ||
  e2e_fail "Update.log does not list French.asc as kept"
e2e_expect_eq "$(grep -c '^\*' "$data/Update.log")" 1 "stamp lines in Update.log"

# Shortcuts for all users, none for the user alone.
link="Traitement de texte Brevanto.lnk"
user=$(wine_user_dir "$PFX")
for shortcut in "$(e2e_program_data)/Microsoft/Windows/Start Menu/Programs/$link" \
  "$PFX/drive_c/users/Public/Desktop/$link"; do
  e2e_expect_file "$shortcut"
  grep -qaF "$kre" "$shortcut" || e2e_fail "$shortcut does not point at $kre"
done
e2e_expect_no_file "$user/Desktop/$link"
e2e_expect_no_file "$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$link"

# The settings, the word processor's own record and the uninstall entry.
e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" MAINDIR)" "$INSTALL_WIN" MAINDIR
e2e_expect_eq "$(e2e_reg_dword user "$SETTINGS_KEY" "COMPS_FR (3.1.1)")" 2147483646 "COMPS_FR (3.1.1)"
e2e_expect_eq "$(e2e_reg_dword user "$SETTINGS_KEY" INSTALLTOALL)" 1 INSTALLTOALL
e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" EXTENSIONS)" B EXTENSIONS
e2e_expect_eq "$(e2e_reg_dword user "$SETTINGS_KEY" LAUNCH)" 1 LAUNCH
e2e_expect_eq "$(e2e_reg_dword user 'Software\Brevanto Word Processor\Internal' LastRunVer)" \
  30301000 "LastRunVer recorded by the launched word processor"
e2e_expect_eq "$(e2e_reg_string system "$UNINSTALL_KEY" DisplayIcon)" "$kre" DisplayIcon
e2e_expect_eq "$(e2e_reg_string system "$UNINSTALL_KEY" DisplayName)" "Traitement de texte Brevanto" DisplayName
e2e_expect_eq "$(e2e_reg_string system "$UNINSTALL_KEY" DisplayVersion)" 3.2.13.4 DisplayVersion
e2e_expect_eq "$(e2e_reg_string system "$UNINSTALL_KEY" Publisher)" "The Brevanto Word Processor Team" Publisher
e2e_expect_eq "$(e2e_reg_string system "$UNINSTALL_KEY" UninstallString)" "\"$kre\" -ui" UninstallString
size=$(e2e_reg_dword system "$UNINSTALL_KEY" EstimatedSize) || e2e_fail "no EstimatedSize"
# The walk runs before Install.log is saved.
expected=$(find "$dir" -type f ! -name Install.log -printf '%s\n' | awk '{ s += int((int(($1 + 4095) / 4096) * 4096) / 1024) } END { print s }')
e2e_expect_eq "$size" "$expected" "EstimatedSize (KB of 4096-byte clusters)"
