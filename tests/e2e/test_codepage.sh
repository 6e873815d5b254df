#!/usr/bin/env bash
# The wizard on a system whose code page for non-Unicode programs is not
# cp1252 (Russian, cp1251, from the locale of Wine's processes): the page
# titles, labels and buttons read back as UTF-16 are the French texts, and a
# folder typed with Cyrillic letters is installed into under that very name.
# A folder stands where kre.exe must go: the file error names the Cyrillic path
# as the system spells it, amid its French text, and Ignore goes on.
# timeout: 360
source "$(dirname "$0")/lib/testing.sh"
locale -a 2>/dev/null | grep -qix 'ru_RU.utf8' ||
  { echo "FAIL test_codepage: the ru_RU.UTF-8 locale is missing (localedef -i ru_RU -f UTF-8 ru_RU.UTF-8)" >&2; exit 1; }
e2e_begin
# Every Wine process of the test, the server and the driver included.
wine_stop_prefix "$PFX"
export LC_ALL=ru_RU.UTF-8

folder='C:\Документы\Brevanto'
dir="$PFX/drive_c/Документы/Brevanto"
mkdir -p "$dir/kre.exe"
e2e_start_setup
e2e_wizard
e2e_expect_eq "$(drv caption "$WIZ")" "$SETUP_TITLE" "window caption"
e2e_wait_page 0 30
e2e_next_to 1
e2e_expect_eq "$(drv text "$(e2e_control Button "$LICENCE_BOX")" .)" "$LICENCE_BOX" "licence box"
e2e_next_to 2
drv set-text "$(e2e_control Edit)" . "$folder" || e2e_fail "cannot type the folder"
e2e_next_to 3
e2e_expect_eq "$(e2e_component_rows | cut -f4 | paste -sd '|')" "$(IFS='|'; echo "${COMPONENTS[*]}")" \
  "component names"
e2e_next_to 4
e2e_expect_eq "$(e2e_button_state "$INSTALL_TO_ALL_BOX")" "visible enabled" "all-users box"
e2e_press "$NEXT_BTN"
e2e_dialog Erreur "$(e2e_cannot_create_text "$folder\kre.exe")" error-kre
e2e_answer "I&gnorer"
e2e_wait_page 6 60
e2e_expect_eq "$(e2e_button_state "${ASSOC_BOXES[1]}")" "visible enabled" "association box"
e2e_next_to 7
e2e_finish_without_launch
e2e_stop_wine
e2e_expect_file "$dir/Licence.txt"
e2e_expect_file "$dir/Install.log"
