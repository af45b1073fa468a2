#!/usr/bin/env bash
# Turns the text pixel map of the program icon into a Windows .ico file.
#
#   resources/icon/make-icon.sh [MAP [ICO]]
#
# MAP defaults to tolvan-icon.txt beside this script, ICO to ../tolvan.ico.
#
# The map: lines starting with '#' are comments; among them the legend lines
#
#   # C = N  name  RRGGBB      (C is drawn in colour N of the palette below)
#   # C = transparent
#
# Every other non-empty line is one row of pixels, top row first: exactly
# 32 rows of exactly 32 characters, each character one in the legend.
#
# The output is one 32x32 image, 4 bits per pixel with the standard
# 16-colour palette and an AND mask: a 6-byte ICONDIR, one 16-byte
# ICONDIRENTRY and 744 bytes of image (BITMAPINFOHEADER, 16 RGBQUADs,
# XOR bitmap and AND mask, both bottom-up), 766 bytes in all.
# Transparent pixels get AND bit 1 and colour 0 (black).
set -eu
export LC_ALL=C

here=$(cd "$(dirname "$0")" && pwd)
map=${1:-$here/tolvan-icon.txt}
ico=${2:-$here/../tolvan.ico}

# The standard 16-colour palette, index 0 to 15, as RRGGBB.
palette=(000000 800000 008000 808000 000080 800080 008080 C0C0C0
         808080 FF0000 00FF00 FFFF00 0000FF FF00FF 00FFFF FFFFFF)

size=32
fail() { echo "make-icon.sh: $map: $*" >&2; exit 1; }

[ -r "$map" ] || fail "cannot read the pixel map"

# colour[C] is the palette index of character C, or T for transparent.
declare -A colour=()
rows=()
lineno=0
while IFS= read -r line || [ -n "$line" ]; do
  lineno=$((lineno + 1))
  line=${line%$'\r'}
  if [[ $line == '#'* ]]; then
    if [[ $line =~ ^#[[:space:]]+([^[:space:]])[[:space:]]+=[[:space:]]+([^[:space:]]+)([[:space:]]+[^[:space:]]+)?([[:space:]]+([0-9A-Fa-f]{6}))?[[:space:]]*$ ]]; then
      c=${BASH_REMATCH[1]}
      value=${BASH_REMATCH[2]}
      rgb=${BASH_REMATCH[5]}
      [ -z "${colour[$c]+set}" ] || fail "line $lineno: '$c' is in the legend twice"
      if [ "$value" = transparent ]; then
        colour[$c]=T
      elif [[ $value =~ ^([0-9]|1[0-5])$ ]]; then
        if [ -n "$rgb" ] && [ "${rgb^^}" != "${palette[$value]}" ]; then
          fail "line $lineno: colour $value is ${palette[$value]}, not $rgb"
        fi
        colour[$c]=$value
      else
        fail "line $lineno: '$value' is neither 0 to 15 nor transparent"
      fi
    fi
    continue
  fi
  [ -n "$line" ] || continue
  [ ${#line} -eq $size ] || fail "line $lineno: ${#line} pixels, not $size"
  rows+=("$line")
done < "$map"

[ ${#rows[@]} -eq $size ] || fail "${#rows[@]} rows of pixels, not $size"

bytes=()
le16() { bytes+=($(( $1 & 255 )) $(( ($1 >> 8) & 255 ))); }
le32() { le16 $(( $1 & 65535 )); le16 $(( ($1 >> 16) & 65535 )); }

xor_size=$(( size * size / 2 ))        # 4 bits a pixel, rows of 16 bytes
and_size=$(( size * size / 8 ))        # 1 bit a pixel, rows of 4 bytes
image_size=$(( 40 + 16 * 4 + xor_size + and_size ))

# ICONDIR: reserved, type 1 (icon), one image.
le16 0; le16 1; le16 1
# ICONDIRENTRY: width, height, colour count, reserved, planes, bit count,
# bytes in the image, offset of the image.
bytes+=($size $size 16 0); le16 1; le16 4; le32 $image_size; le32 22

# BITMAPINFOHEADER: size, width, height of XOR and AND together, planes,
# bit count, no compression, image size, then resolution and colour
# counts left 0.
le32 40; le32 $size; le32 $(( 2 * size )); le16 1; le16 4; le32 0
le32 $(( xor_size + and_size )); le32 0; le32 0; le32 0; le32 0

# RGBQUADs: blue, green, red, reserved.
for rgb in "${palette[@]}"; do
  bytes+=($(( 16#${rgb:4:2} )) $(( 16#${rgb:2:2} )) $(( 16#${rgb:0:2} )) 0)
done

# The XOR bitmap, bottom row first, two pixels a byte, left pixel high.
for (( y = size - 1; y >= 0; y-- )); do
  row=${rows[y]}
  for (( x = 0; x < size; x += 2 )); do
    byte=0
    for c in "${row:x:1}" "${row:x+1:1}"; do
      [ -n "${colour[$c]+set}" ] || fail "row $((y + 1)): '$c' is not in the legend"
      index=${colour[$c]}
      [ "$index" != T ] || index=0
      byte=$(( byte << 4 | index ))
    done
    bytes+=($byte)
  done
done

# The AND mask, bottom row first, eight pixels a byte, left pixel high;
# a set bit is transparent.
for (( y = size - 1; y >= 0; y-- )); do
  row=${rows[y]}
  for (( x = 0; x < size; x += 8 )); do
    byte=0
    for (( i = 0; i < 8; i++ )); do
      bit=0
      [ "${colour[${row:x+i:1}]}" != T ] || bit=1
      byte=$(( byte << 1 | bit ))
    done
    bytes+=($byte)
  done
done

[ ${#bytes[@]} -eq $(( 22 + image_size )) ] || fail "internal error: ${#bytes[@]} bytes"

printf -v escaped '\\%03o' "${bytes[@]}"
tmp=$ico.tmp.$$
printf "$escaped" > "$tmp"
mv -f "$tmp" "$ico"
