#!/usr/bin/env bash
# The wizard at 144 DPI (the prefix's LogPixels, which Wine reports to every
# program): the Next button sits where the wizard's layout table puts it,
# scaled from 96 DPI, and the pages up to the Start page are photographed.
# (test_dpi_gallery photographs every page and dialog at 144 and 192 DPI; the
# Windows GoogleTest program lays the window out at every DPI.)
# timeout: 210
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

dpi=144
# The helpers find the page title inside the banner's area, in 96-DPI pixels.
IFS=, read -r area_l area_t area_r area_b <<<"$BANNER_AREA"
BANNER_AREA="$((area_l * dpi / 96)),$((area_t * dpi / 96)),$((area_r * dpi / 96)),$((area_b * dpi / 96))"
wine_reg_append "$PFX" user 'Control Panel\\Desktop' "\"LogPixels\"=dword:$(printf %08x "$dpi")"
E2E_SHOTS=dpi$dpi-
e2e_open
e2e_next_through 4 10
next=$(e2e_control Button "$NEXT_BTN")
got=$(drv tree "$WIZ" | awk -v h="$next" '$1 == h { print $5; exit }')
want=$(drv layout "$next" "$dpi")
# Within a pixel: an edge may round either way.
IFS=, read -r -a g <<<"$got"
IFS=, read -r -a w <<<"$want"
[ "${#g[@]}" -eq 4 ] || e2e_fail "no Next button in the tree at $dpi DPI"
for i in 0 1 2 3; do
  [ $((g[i] - w[i])) -le 1 ] && [ $((w[i] - g[i])) -le 1 ] ||
    e2e_fail "Next button at $dpi DPI: x,y,w,h $got, not the layout's $want"
done
e2e_abandon "dpi$dpi-cancel-question"
