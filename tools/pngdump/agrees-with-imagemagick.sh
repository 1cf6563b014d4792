#!/bin/bash
# pngdump against an independent encoder and decoder. ImageMagick writes palette PNGs of bit
# depths 1, 2, 4 and 8 with mixed filter types, several IDAT chunks and ancillary chunks (the
# script checks that each file really has them); pngdump's palette and indices, mapped to RGB,
# must equal ImageMagick's own decoding of the same file, pixel for pixel.
set -euo pipefail
pngdump=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# "TYPE LENGTH OFFSET" for each chunk of a PNG file.
chunks() {
  local file=$1 at=8 size length
  size=$(stat -c %s "$file")
  while ((at + 12 <= size)); do
    length=$(od -An -tu4 --endian=big -j "$at" -N4 "$file" | tr -d ' ')
    echo "$(dd if="$file" bs=1 skip=$((at + 4)) count=4 status=none) $length $at"
    at=$((at + 12 + length))
  done
}

# The inflated image data: the IDAT chunks joined, inflated by gzip behind a gzip header (it
# complains about the missing gzip trailer after writing everything).
image_data() {
  local file=$1 type length at
  while read -r type length at; do
    if [ "$type" = IDAT ]; then tail -c +$((at + 9)) "$file" | head -c "$length"; fi
  done <"$work/chunks" >"$work/zlib"
  { printf '\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03'; tail -c +3 "$work/zlib"; } |
    gzip -dc 2>/dev/null || true
}

# pngdump's rows as one RGB byte a line, in lower-case hex, through its palette.
dump_as_rgb() {
  awk '
    function hex(s,   i, v) {
      v = 0
      for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789ABCDEF", substr(s, i, 1)) - 1
      return v
    }
    NR == 1 { w = $1; bits = $3; n = $4; next }
    NR <= 1 + n { palette[NR - 2] = tolower($1); next }
    {
      for (x = 0; x < w; x++) {
        if (bits == 8) i = hex(substr($0, 2 * x + 1, 2))
        else if (bits == 4) i = hex(substr($0, x + 1, 1))
        else i = int(hex(substr($0, 2 * int(x / 8) + 1, 2)) / 2 ^ (7 - x % 8)) % 2
        print substr(palette[i], 1, 2); print substr(palette[i], 3, 2); print substr(palette[i], 5, 2)
      }
    }' "$1"
}

# check NAME BIT_DEPTH CONVERT_ARGUMENTS...: makes NAME.png and compares the two decodings.
check() {
  local name=$1 depth=$2
  shift 2
  local png=$work/$name.png
  convert "$@" -define png:exclude-chunk=bKGD -define png:bit-depth="$depth" \
    -define png:color-type=3 -quality 96 "$png"

  # The file is what the case is about.
  local ihdr width height
  ihdr=$(od -An -tu1 -j 16 -N 10 "$png" | tr -s ' ' | sed 's/^ //')
  read -r -a h <<<"$ihdr"
  width=$(((h[0] << 24) + (h[1] << 16) + (h[2] << 8) + h[3]))
  height=$(((h[4] << 24) + (h[5] << 16) + (h[6] << 8) + h[7]))
  [ "${h[8]}" = "$depth" ] && [ "${h[9]}" = 3 ] ||
    { fail "$name: ImageMagick wrote bit depth ${h[8]}, colour type ${h[9]}"; return; }
  local idats ancillary entries
  chunks "$png" >"$work/chunks"
  idats=$(grep -c '^IDAT ' "$work/chunks" || true)
  ancillary=$(grep -c '^[a-z]' "$work/chunks" || true)
  entries=$(($(awk '$1 == "PLTE" { print $2 }' "$work/chunks") / 3))
  local stride=$((1 + (width * depth + 7) / 8)) filters
  filters=$(image_data "$png" | od -An -v -tu1 -w"$stride" | awk '{ print $1 }' | sort -u |
    tr '\n' ' ')
  echo "$name: ${width}x$height, depth $depth, $entries colours, $idats IDAT," \
    "$ancillary ancillary, filter types $filters"
  ((idats >= ${MIN_IDATS:-1})) || fail "$name: only $idats IDAT chunk"
  ((ancillary >= 1)) || fail "$name: no ancillary chunk"
  (($(wc -w <<<"$filters") >= ${MIN_FILTERS:-1})) || fail "$name: filter types $filters"

  "$pngdump" "$png" >"$work/dump" || { fail "$name: $(head -1 "$work/dump")"; return; }
  local bits=$depth
  ((depth == 2)) && bits=4 # 2-bit indices become 4-bit pixels
  [ "$(head -1 "$work/dump")" = "$width $height $bits $entries" ] ||
    fail "$name: header line $(head -1 "$work/dump")"
  [ "$(wc -l <"$work/dump")" = $((1 + entries + height)) ] || fail "$name: line count"
  convert "$png" -depth 8 rgb:- | od -An -v -tx1 | tr -s ' ' '\n' | sed '/^$/d' >"$work/expected"
  dump_as_rgb "$work/dump" >"$work/actual"
  cmp -s "$work/expected" "$work/actual" || fail "$name: pixels differ from ImageMagick's"
}

# Noisy pictures: more than 32 KiB of image data, which ImageMagick splits into several IDAT
# chunks, with adaptive filtering that mixes the filter types. Odd widths leave bits over.
MIN_IDATS=2 MIN_FILTERS=3 check noise1 1 -seed 11 -size 1001x600 plasma:fractal +noise Gaussian -colors 2
MIN_IDATS=2 MIN_FILTERS=3 check noise2 2 -seed 12 -size 601x500 plasma:fractal +noise Gaussian -colors 4
MIN_IDATS=2 MIN_FILTERS=3 check noise4 4 -seed 13 -size 299x330 plasma:fractal +noise Gaussian -colors 16
MIN_IDATS=2 MIN_FILTERS=2 check noise8 8 -seed 14 -size 301x157 plasma:fractal +noise Gaussian -colors 200
# Small smooth pictures in one IDAT chunk.
MIN_FILTERS=2 check plasma1 1 -seed 3 -size 37x23 plasma:fractal -colors 2
MIN_FILTERS=2 check plasma2 2 -seed 3 -size 37x23 plasma:fractal -colors 4
MIN_FILTERS=2 check plasma4 4 -seed 3 -size 37x23 plasma:fractal -colors 16
MIN_FILTERS=2 check plasma8 8 -seed 3 -size 37x23 plasma:fractal -colors 256

# What is not a palette image is refused.
convert -size 8x8 gradient: -define png:color-type=0 "$work/grey.png"
printf 'not a PNG file' >"$work/text.png"
for bad in grey text missing; do
  if out=$("$pngdump" "$work/$bad.png"); then
    fail "$bad: decoded"
  else
    case $out in error:\ *) ;; *) fail "$bad: printed '$out'" ;; esac
  fi
done

((failures == 0)) && echo "pngdump agrees with ImageMagick"
exit $((failures > 0))
