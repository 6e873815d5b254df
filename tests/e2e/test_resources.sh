#!/usr/bin/env bash
# setup.exe carries its icon as icon group 1 with the four 32-bit images
# 256, 48, 32 and 16 pixels wide, as Windows reads them.
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

images=$(drv icon-group "$(e2e_winpath "$SETUP_EXE")" 1) || e2e_fail "no icon group 1 in setup.exe"
e2e_expect_eq "$(echo "$images" | sort -t x -k1,1nr | tr '\n' ' ')" \
  "256x256 32 48x48 32 32x32 32 16x16 32 " "icon group 1"
