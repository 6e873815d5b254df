#!/usr/bin/env bash
# An update over an earlier installation. The first run installs into a folder
# of its own with two components unticked, shortcuts for the user alone, RTF
# associated and no launch; the second run proposes all of that again, keeps
# the earlier Install.log lines first without repeating any, and leaves the
# update log with a single, newer group.
# builds: win32 win64
# timeout: 600
source "$(dirname "$0")/lib/testing.sh"
e2e_begin
folder='C:\Outils\Brevanto'
dir=$PFX/drive_c/Outils/Brevanto

# Walks one installation from the welcome page to the end; $1 names the run
# ("first" or "update") and prefixes its screenshots.
install_run() {
  local run=$1
  E2E_SHOTS=$run-
  e2e_open
  e2e_next_through 2
  edit=$(e2e_control Edit)
  if [ "$run" = first ]; then
    drv set-text "$edit" . "$folder" || e2e_fail "cannot type the folder"
  else
    e2e_expect_eq "$(drv text "$edit" .)" "$folder" "folder proposed for the update"
  fi
  e2e_next_to 3
  if [ "$run" = first ]; then
    list=$(e2e_control ListBox)
    drv toggle "$list" 1 ";;" toggle "$list" 3 || e2e_fail "cannot untick rows 1 and 3"
  fi
  e2e_wait_eq 10 "2 0 1 0 1 1 1" "component states ($run run)" e2e_component_states
  [ "$run" != first ] || e2e_shot "$run-page3-unticked"
  e2e_next_to 4
  box=$(e2e_control Button "$INSTALL_TO_ALL_BOX")
  [ "$run" != first ] || e2e_click_box "$box" 0
  e2e_expect_eq "$(drv checked "$box" .)" 0 "all-users box ($run run)"
  e2e_press "$NEXT_BTN"
  e2e_wait_page 6 60
  if [ "$run" = first ]; then
    e2e_click_box "$(e2e_control Button "${ASSOC_BOXES[0]}")" 1
  else
    e2e_expect_eq "$(e2e_assoc_states)" "1 1 0 0" "association boxes (update)"
  fi
  e2e_next_to 7
  box=$(e2e_control Button "$LAUNCH_BOX")
  [ "$run" != first ] || e2e_click_box "$box" 0
  e2e_expect_eq "$(drv checked "$box" .)" 0 "launch box ($run run)"
  e2e_press "$FINISH_BTN"
  e2e_expect_exit "exit code ($run run)"
}

install_run first
e2e_expect_file "$dir/Install.log"
data="$(e2e_program_data)/Brevanto"
old_stamp=$(head -n1 "$data/Update.log" | tr -d '\r')
# A line another installation left in the log must survive the merge.
printf 'File Copy: %s\\Notes.txt\r\n' "$folder" >>"$dir/Install.log"
cp "$dir/Install.log" "$ART/Install.log.first"
sleep 1 # a new install time

install_run update
e2e_stop_wine

# Install.log: the earlier lines first, in their order, nothing repeated.
first_lines=$(wc -l <"$ART/Install.log.first")
head -n "$first_lines" "$dir/Install.log" | cmp -s - "$ART/Install.log.first" ||
  e2e_fail "Install.log does not begin with the earlier lines"
[ -z "$(tr -d '\r' <"$dir/Install.log" | sort -f | uniq -di)" ] || e2e_fail "Install.log repeats lines"
grep -qxF "File Copy: $folder\\kre.exe"$'\r' "$dir/Install.log" || e2e_fail "Install.log lacks kre.exe"

# Update.log: one group, stamped by the update.
e2e_expect_eq "$(grep -c '^\*' "$data/Update.log")" 1 "stamp lines in Update.log"
new_stamp=$(head -n1 "$data/Update.log" | tr -d '\r')
[ "$new_stamp" != "$old_stamp" ] || e2e_fail "Update.log keeps the first run's stamp $old_stamp"
e2e_expect_no_file "$data/Public/Orthographe/French.asc"
e2e_expect_file "$data/Public/Orthographe/uk.zlx"

# The association command of both runs, the shortcuts of the user alone.
kre="$folder\\kre.exe"
e2e_expect_eq "$(cat "$dir/kre-commands.log")" \
  "$(printf '"%s" -assoc adpr_rtf_cod\r\n"%s" -assoc adpr_rtf_cod\r' "$kre" "$kre")" "association commands"
link="Traitement de texte Brevanto.lnk"
user=$(wine_user_dir "$PFX")
e2e_expect_file "$user/Desktop/$link"
e2e_expect_file "$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$link"
e2e_expect_no_file "$PFX/drive_c/users/Public/Desktop/$link"
e2e_expect_no_file "$(e2e_program_data)/Microsoft/Windows/Start Menu/Programs/$link"

e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" MAINDIR)" "$folder" MAINDIR
# Bits 0 (the greyed word processor), 1 and 3 clear.
e2e_expect_eq "$(e2e_reg_dword user "$SETTINGS_KEY" "COMPS_FR (3.1.1)")" $((0x7ffffff4)) "COMPS_FR (3.1.1)"
e2e_expect_eq "$(e2e_reg_dword user "$SETTINGS_KEY" INSTALLTOALL)" 0 INSTALLTOALL
e2e_expect_eq "$(e2e_reg_string user "$SETTINGS_KEY" EXTENSIONS)" AB EXTENSIONS
e2e_expect_eq "$(e2e_reg_dword user "$SETTINGS_KEY" LAUNCH)" 0 LAUNCH
e2e_expect_eq "$(e2e_reg_string system "$UNINSTALL_KEY" DisplayIcon)" \
  "$kre" "DisplayIcon"
