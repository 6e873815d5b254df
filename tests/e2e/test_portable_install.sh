#!/usr/bin/env bash
# A portable installation: the drive box's removable drive chosen on the
# destination page makes the installation portable. The Start page hides the
# all-users box, the associations page is skipped, every file lands in the
# install folder, and nothing is written beyond the Install key values: no
# Install.log, no update log or install stamp, no shortcuts, no association
# command, no uninstall entry.
# timeout: 300
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

stick=$PFX/stick
mkdir -p "$stick"
ln -s "$stick" "$PFX/dosdevices/e:"
wine_reg_append "$PFX" system 'Software\\Wine\\Drives' '"e:"="floppy"'

e2e_open
e2e_next_through 2
drives=$(e2e_control ComboBox)
row=$(drv rows "$drives" | awk -F '\t' 'substr($4, 1, 2) == "e:" { print $1 }')
[ -n "$row" ] || e2e_fail "the drive box has no row for e: ($(drv rows "$drives" | cut -f4 | paste -sd ' '))"
drv choose "$drives" "$row" || e2e_fail "cannot choose drive e:"
drv wait-text "$(e2e_control Edit)" . 'e:\Brevanto' --timeout 10000 || e2e_fail "the folder does not follow the drive box"
e2e_shot page2-drive-e
e2e_expect_eq "$(drv text "$(e2e_control Edit)" .)" 'e:\Brevanto' "proposed folder on e:"

e2e_next_through 4
e2e_expect_eq "$(e2e_button_state "$INSTALL_TO_ALL_BOX")" "hidden enabled" "all-users box when portable"
e2e_press "$NEXT_BTN"
e2e_wait_page 7 60
e2e_finish_without_launch
e2e_stop_wine

dir=$stick/Brevanto
for f in kre.exe Licence.txt "Coupe de mots.dat" Basic.asn Orthographe/French.asc \
  "Orthographe/English (British).cache"; do
  e2e_expect_file "$dir/$f"
done
e2e_expect_file -d "$dir/Modèles de document"
e2e_expect_eq "$(stat -c %s "$dir/kre_common.dat")" 25 "size of kre_common.dat in the install folder"
for f in Install.log install_stamp Update.log kre-commands.log; do e2e_expect_no_file "$dir/$f"; done
e2e_expect_no_file "$(e2e_program_data)/Brevanto"
e2e_expect_no_file "$(e2e_program_files)/Brevanto"
[ -z "$(find "$PFX/drive_c" -name 'Traitement de texte Brevanto.lnk')" ] || e2e_fail "a shortcut was made"

e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" MAINDIR)" 'e:\Brevanto' MAINDIR
e2e_expect_eq "$(e2e_reg_dword user "$SETTINGS_KEY" INSTALLTOALL)" 1 INSTALLTOALL
e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" EXTENSIONS)" B "EXTENSIONS as read at start"
e2e_expect_eq "$(e2e_reg_dword user "$SETTINGS_KEY" LAUNCH)" 0 LAUNCH
! e2e_reg_has_key system "$UNINSTALL_KEY" ||
  e2e_fail "a portable installation wrote an uninstall entry"
