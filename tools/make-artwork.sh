#!/usr/bin/env bash
# Draws the setup program's artwork with ImageMagick and writes it into resources/:
#   setup.ico       icon group 1: 256x256, 48x48, 32x32 and 16x16, 32-bit RGBA
#   logo.png        120x260, the wizard's left panel
#   logo_small.png  34x34, the wizard's banner
#   openfolder.bmp, closedfolder.bmp, fixeddrive.bmp, removabledrive.bmp
#                   16x16 row pictures of the folder list and the drive box,
#                   24-bit, on a magenta ground that the lists draw transparent
#                   (they take the bottom-left pixel as the transparent colour)
# The pictures are committed; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=resources
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

navy='#0b1f5c'
navy_deep='#061440'
ink='#1d3a8a'
sky='#8fb3ff'

# The motif, drawn on a 256-pixel canvas: a navy tile holding a white sheet with
# a folded corner, lines of text and a pen nib writing the last line.
# $1: output file; $2: "full" (lines and nib) or "bold" (a blockier drawing for
# 16 and 32 pixels).
draw_motif() {
  local file=$1 style=$2 lines nib
  if [ "$style" = full ]; then
    lines="stroke $ink stroke-width 9 stroke-linecap round
           line 82,104 170,104 line 82,132 174,132 line 82,160 160,160 line 82,188 126,188"
    nib="stroke none fill $sky path 'M 150,206 L 196,150 L 212,164 L 166,220 L 144,226 Z'
         fill $navy_deep path 'M 144,226 L 150,206 L 158,214 Z'"
  else
    # Every edge on a multiple of 16 pixels, so that a box-filtered 16 or 32
    # pixel copy stays sharp.
    convert -size 256x256 xc:none \
      -fill "$navy" -draw "roundrectangle 0,0 255,255 48,48" \
      -fill white -draw "rectangle 48,16 159,239" -draw "rectangle 160,64 207,239" \
      -fill '#c9d6f2' -draw "rectangle 160,16 175,63" -draw "rectangle 176,32 191,63" \
      -draw "rectangle 192,48 207,63" \
      -fill "$ink" -draw "rectangle 80,96 175,111" -draw "rectangle 80,144 175,159" \
      -draw "rectangle 80,192 143,207" \
      "PNG32:$file"
    return
  fi
  convert -size 256x256 xc:none \
    -fill "$navy" -draw "roundrectangle 8,8 247,247 44,44" \
    -fill "$navy_deep" -draw "roundrectangle 8,200 247,247 44,44" \
    -fill "$navy" -draw "rectangle 8,200 247,222" \
    -fill white -draw "path 'M 60,40 L 160,40 L 198,78 L 198,228 L 60,228 Z'" \
    -fill '#c9d6f2' -draw "path 'M 160,40 L 160,78 L 198,78 Z'" \
    -fill none -draw "$lines" \
    -draw "$nib" \
    "PNG32:$file"
}

draw_motif "$work/full.png" full
draw_motif "$work/bold.png" bold

convert "$work/full.png" -define png:exclude-chunks=date,time PNG32:"$work/i256.png"
convert "$work/full.png" -filter Lanczos -resize 48x48 PNG32:"$work/i48.png"
convert "$work/bold.png" -filter Box -resize 32x32 PNG32:"$work/i32.png"
convert "$work/bold.png" -filter Box -resize 16x16 PNG32:"$work/i16.png"
# The 256-pixel image is stored PNG-compressed, the small ones as 32-bit bitmaps.
convert "$work/i256.png" "$work/i48.png" "$work/i32.png" "$work/i16.png" \
  "$out/setup.ico"

# The left panel: a deep navy gradient, a fan of white sheets and the name.
convert -size 120x260 gradient:"$navy"-"$navy_deep" \
  -fill none -stroke '#ffffff55' -strokewidth 2 \
  -draw "path 'M 26,54 L 78,40 L 96,104 L 44,118 Z'" \
  -stroke '#ffffff99' \
  -draw "path 'M 30,62 L 82,62 L 82,128 L 30,128 Z'" \
  -stroke none -fill white \
  -draw "path 'M 36,70 L 78,70 L 92,84 L 92,140 L 36,140 Z'" \
  -fill '#c9d6f2' -draw "path 'M 78,70 L 78,84 L 92,84 Z'" \
  -stroke "$ink" -strokewidth 3 -fill none \
  -draw "line 44,92 80,92 line 44,102 84,102 line 44,112 76,112 line 44,122 62,122" \
  -stroke none -fill "$sky" -draw "rectangle 20,176 100,178" \
  -fill white -font DejaVu-Sans-Bold -pointsize 19 -gravity north \
  -annotate +0+186 'Brevanto' \
  -define png:exclude-chunks=date,time PNG32:"$out/logo.png"

# The banner's small logo: the motif on the white banner.
convert "$work/full.png" -filter Lanczos -resize 34x34 \
  -background white -flatten \
  -define png:exclude-chunks=date,time PNG24:"$out/logo_small.png"

# The list rows' pictures: 24-bit bitmaps without alpha, magenta ground.

convert -size 16x16 xc:'#ff00ff' +antialias \
  -fill '#c99a2e' -draw "polygon 1,4 6,4 7,5 14,5 14,13 1,13" \
  -fill '#f7d774' -draw "polygon 3,7 15,7 13,13 1,13" \
  -fill none -stroke '#8a6414' -draw "polyline 1,13 1,4 6,4 7,5 14,5 14,7" \
  -type TrueColor BMP3:"$out/openfolder.bmp"
convert -size 16x16 xc:'#ff00ff' +antialias \
  -fill '#f2cd5c' -stroke '#8a6414' -draw "polygon 1,4 6,4 7,5 14,5 14,13 1,13" \
  -stroke '#fbe7a6' -draw "line 2,7 13,7" \
  -type TrueColor BMP3:"$out/closedfolder.bmp"
convert -size 16x16 xc:'#ff00ff' +antialias \
  -fill '#b8bcc4' -stroke '#4a4f58' -draw "rectangle 1,6 14,12" \
  -stroke none -fill '#2fbf3a' -draw "rectangle 11,10 12,10" \
  -fill '#7a808a' -draw "rectangle 3,9 8,10" \
  -type TrueColor BMP3:"$out/fixeddrive.bmp"
convert -size 16x16 xc:'#ff00ff' +antialias \
  -fill '#3d6fd1' -stroke '#1d3a8a' -draw "rectangle 4,5 11,14" \
  -fill '#c9ccd2' -stroke '#5a5f68' -draw "rectangle 6,1 9,5" \
  -stroke none -fill white -draw "rectangle 6,8 9,11" \
  -type TrueColor BMP3:"$out/removabledrive.bmp"

identify "$out/setup.ico" "$out/logo.png" "$out/logo_small.png"
