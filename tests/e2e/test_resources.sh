#!/usr/bin/env bash
# setup.exe carries, language neutral, its icon as icon group 1 with the four
# 32-bit images 256, 48, 32 and 16 pixels wide, and the archive as resource
# "FILES" of type "FILES", as Windows reads them.
# timeout: 60
source "$(dirname "$0")/lib/testing.sh"
e2e_begin
exe=$(e2e_winpath "$SETUP_EXE")

images=$(drv icon-group "$exe" 1) || e2e_fail "no icon group 1 in setup.exe"
e2e_expect_eq "$(echo "$images" | sort -t x -k1,1nr | tr '\n' ' ')" \
  "256x256 32 48x48 32 32x32 32 16x16 32 " "icon group 1"
group=$(drv resource "$exe" '#14' '#1') || e2e_fail "no icon group 1"
e2e_expect_eq "${group#* }" "0000" "languages of icon group 1"

files=$(drv resource "$exe" FILES FILES) || e2e_fail "no FILES resource"
e2e_expect_eq "${files#* }" "0000" "languages of the FILES resource"
[ "${files%% *}" -gt 0 ] || e2e_fail "the FILES resource is empty"
e2e_note "FILES resource: ${files%% *} bytes"
