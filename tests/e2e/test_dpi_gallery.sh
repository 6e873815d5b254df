#!/usr/bin/env bash
# Every page and dialog of the wizard window at 144 and 192 DPI, photographed
# by the gallery program of the build under test (see gallery/run.sh), for a
# person to look at: build/e2e-artifacts/test_dpi_gallery-<build>/. At these
# and at 96 and 120 DPI, every text on the pages, in the message dialogs and
# in the component rows must fit its control, as the gallery measures it in
# the control's own font.
# timeout: 540
source "$(dirname "$0")/lib/testing.sh"
e2e_begin

build=$(cd "$(dirname "$SETUP_EXE")/.." && pwd)
for dpi in 96 120 144 192; do
  shots=0
  [ "$dpi" -lt 144 ] || shots=1
  e2e_step "the gallery at $dpi DPI (120 s at most)"
  GALLERY_PREFIX=$E2E_RUN-$dpi GALLERY_SHOTS=$shots GALLERY_DPI=$dpi \
    "$E2E_DIR/gallery/run.sh" --build "$build" "$ART/gallery-$dpi" ||
    e2e_fail "gallery at $dpi DPI: it did not measure everything, failed, clipped a text or missed a picture"
done
