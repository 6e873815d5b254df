#!/usr/bin/env bash
# Screenshots of the wizard window's pages and message dialogs under Wine in a
# virtual display, taken by the gallery program's request:
#   tests/e2e/gallery/run.sh [--build DIR] [OUTDIR]
# DIR is the win64 build (default build/win64); the pictures go to OUTDIR
# (default build/e2e-artifacts/gallery) as page0.png ... page7.png, dialog1.png ...
# (one for each message dialog the program shows).
# GALLERY_DPI=144 (for example) shows them at that DPI (the prefix's LogPixels).
# GALLERY_SHOTS=0 takes no picture: the pages are only measured.
# Fails when the gallery does not end with its "MEASURED" line, ends with a
# non-zero status, reports a clipped text or, with pictures, one is missing.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
source "$root/scripts/lib/common.sh"
source "$here/../lib/wine.sh"

build=$root/build/win64
if [ "${1:-}" = --build ]; then build=$(cd "$2" && pwd); shift 2; fi
out=${1:-$root/build/e2e-artifacts/gallery}
exe=$build/tests/e2e/gallery.exe
[ -f "$exe" ] || { echo "gallery: $exe is not built" >&2; exit 1; }
mkdir -p "$out"

wine_session_begin || { echo "gallery: no Wine session" >&2; exit 1; }
# Galleries of several runs may share the session; a scenario names the
# prefix after its run (GALLERY_PREFIX), so that its runner can end it.
pfx=$(wine_new_prefix "${GALLERY_PREFIX:-gallery-$$}")
if [ -n "${GALLERY_DPI:-}" ]; then
  wine_reg_append "$pfx" user 'Control Panel\\Desktop' "\"LogPixels\"=dword:$(printf %08x "$GALLERY_DPI")"
fi
args=()
[ "${GALLERY_SHOTS:-1}" != 0 ] || args=(--measure)
coproc GALLERY { WINEPREFIX=$pfx timeout 120 wine "$exe" "${args[@]}" 2>/dev/null; }
gallery_pid=$GALLERY_PID
shots=0
clipped=0
last=
while IFS= read -r -u "${GALLERY[0]}" line; do
  line=${line%$'\r'}
  last=$line
  case "$line" in
    "SHOT "*)
      wine_screenshot "$out/${line#SHOT }.png"
      shots=$((shots + 1))
      echo ok >&"${GALLERY[1]}" ;;
    "CLIPPED "*)
      clipped=$((clipped + 1))
      echo "gallery: $line" >&2 ;;
    *) echo "gallery: $line" >&2 ;;
  esac
done
rc=0
wait "$gallery_pid" 2>/dev/null || rc=$?
wine_stop_prefix "$pfx"
rm -rf "$pfx"
echo "gallery: $shots screenshots in $out, $clipped clipped texts, exit $rc"
# The gallery's last line says it measured everything: "MEASURED <pages>
# pages, <dialogs> dialogs, <rows> component rows, ..."; with pictures, one
# was taken of each page and dialog.
read -r pages dialogs rows < <(echo "$last" |
  sed -n 's/^MEASURED \([0-9]*\) pages, \([0-9]*\) dialogs, \([0-9]*\) component rows.*/\1 \2 \3/p')
[ "${rows:-0}" -gt 0 ] || { echo "gallery: it did not measure everything (last line \"$last\")" >&2; exit 1; }
[ "$rc" -eq 0 ] || { echo "gallery: it ended with $rc" >&2; exit 1; }
[ "$clipped" -eq 0 ] || exit 1
[ "${GALLERY_SHOTS:-1}" = 0 ] || [ "$shots" -eq $((pages + dialogs)) ] ||
  { echo "gallery: $shots pictures for $pages pages and $dialogs dialogs" >&2; exit 1; }
