#!/usr/bin/env bash
# The wizard at 96, 120, 144 and 192 DPI (the prefix's LogPixels, which Wine
# reports to every program): its controls grow with the DPI from their
# 96-DPI sizes, and the pages up to the Start page are photographed.
# (test_dpi_gallery photographs every page and dialog at 144 and 192 DPI.)
# builds: win32 win64
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

# The width and height of the wizard's control of class $1 captioned $2.
size_of() {
  drv tree "$WIZ" | awk -v cls="$1" -v cap="\"$2\"" '
    $2 == cls && index($0, cap) { split($5, r, ","); print r[3], r[4]; exit }'
}

base=
# The helpers find the page title inside the banner's area, in 96-DPI pixels.
IFS=, read -r area_l area_t area_r area_b <<<"$BANNER_AREA"
for dpi in 96 120 144 192; do
  if [ "$dpi" != 96 ]; then
    e2e_stop_wine
    PFX=$(wine_new_prefix "$E2E_RUN-$dpi")
  fi
  BANNER_AREA="$((area_l * dpi / 96)),$((area_t * dpi / 96)),$((area_r * dpi / 96)),$((area_b * dpi / 96))"
  wine_reg_append "$PFX" user 'Control Panel\\Desktop' "\"LogPixels\"=dword:$(printf %08x "$dpi")"
  e2e_start_setup
  e2e_wizard
  e2e_wait_page 0 30 "dpi$dpi-page0"
  for page in 1 2 3 4; do e2e_next_to "$page" 10 "dpi$dpi-page$page"; done
  read -r width height < <(size_of Button "$NEXT_BTN")
  [ -n "${width:-}" ] || e2e_fail "no Next button in the tree at $dpi DPI"
  if [ -z "$base" ]; then
    base="$width $height"
  else
    read -r w96 h96 <<<"$base"
    for pair in "$width $((w96 * dpi / 96))" "$height $((h96 * dpi / 96))"; do
      read -r got want <<<"$pair"
      [ $((got - want)) -le 1 ] && [ $((want - got)) -le 1 ] ||
        e2e_fail "Next button at $dpi DPI: $width x $height, not $w96 x $h96 scaled"
    done
  fi
  e2e_abandon "dpi$dpi-cancel-question"
done
