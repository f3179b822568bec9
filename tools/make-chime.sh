#!/usr/bin/env bash
# make-chime.sh — generates Sorrisa's appointment alert chime (Avviso.mp3).
#
# The sound is synthesised from scratch: three soft, bell-like tones rising
# through a major triad (G5 – B5 – D6), each with a gentle attack and a long
# decaying tail, a touch of room reverb, about 2.2 seconds in total at
# 44.1 kHz mono. The result is encoded to MP3 (CBR 112 kbit/s, mono).
#
# Usage:  tools/make-chime.sh [OUTPUT.mp3]
#         OUTPUT defaults to resources/delivery/Avviso.mp3 in the repository.
#
# Needs: sox, lame (Debian packages "sox" and "lame").

set -euo pipefail

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$script_dir/.." && pwd)
out=${1:-"$repo_root/resources/delivery/Avviso.mp3"}

for tool in sox lame awk; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "make-chime.sh: '$tool' is required but not installed" >&2
        exit 1
    }
done

rate=44100
total=2.2          # seconds, including the tail
attack=0.020       # seconds of fade-in for every partial (soft strike)

work=$(mktemp -d "${TMPDIR:-/tmp}/sorrisa-chime.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Intermediate files are 32-bit float so no dithering happens until the end.
fmt=(-r "$rate" -c 1 -e floating-point -b 32)

# partial FILE FREQ AMPLITUDE DURATION SHAPE
# One sine partial with a soft half-sine attack and a decay over the rest
# of its duration: SHAPE "t" (linear, for the singing fundamental) or "l"
# (logarithmic, quick fading for the brighter overtones).
partial() {
    local file=$1 freq=$2 amp=$3 dur=$4 shape=$5
    local fade_out
    fade_out=$(awk -v d="$dur" -v a="$attack" 'BEGIN { printf "%.4f", d - a }')
    sox -R -n "${fmt[@]}" "$file" synth "$dur" sine "$freq" \
        vol "$amp" fade h "$attack" fade "$shape" 0 "$dur" "$fade_out"
}

# note NAME FREQ START DURATION LEVEL
# A bell-like tone: fundamental plus a quieter octave and a faint, short
# slightly-stretched twelfth, delayed by START seconds.
note() {
    local name=$1 freq=$2 start=$3 dur=$4 level=$5
    local f2 f3 d2 d3
    f2=$(awk -v f="$freq" 'BEGIN { printf "%.2f", f * 2.0 }')
    f3=$(awk -v f="$freq" 'BEGIN { printf "%.2f", f * 3.01 }')
    d2=$(awk -v d="$dur" 'BEGIN { printf "%.3f", d * 0.55 }')
    d3=$(awk -v d="$dur" 'BEGIN { printf "%.3f", d * 0.25 }')
    partial "$work/$name-1.wav" "$freq" 1.00 "$dur" t
    partial "$work/$name-2.wav" "$f2"   0.22 "$d2" l
    partial "$work/$name-3.wav" "$f3"   0.07 "$d3" l
    sox -R -m "$work/$name-1.wav" "$work/$name-2.wav" "$work/$name-3.wav" \
        "${fmt[@]}" "$work/$name-mix.wav"
    sox -R "$work/$name-mix.wav" "${fmt[@]}" "$work/$name.wav" \
        vol "$level" pad "$start"
}

#     name  freq(Hz) start(s) length(s) level
note  n1    783.99   0.00     1.30      0.80   # G5
note  n2    987.77   0.17     1.30      0.75   # B5
note  n3    1174.66  0.34     1.80      0.85   # D6

# Mix the notes and leave room after them for the reverb tail.
sox -R -m "$work/n1.wav" "$work/n2.wav" "$work/n3.wav" "${fmt[@]}" "$work/dry.wav" \
    pad 0 1

# Trim to length, light reverb for a natural tail, back to mono, gentle
# final fade, normalise to -3 dBFS, 16-bit without random dither.
sox -R "$work/dry.wav" "$work/wet.wav" \
    trim 0 "$total" reverb 25 50 45 100 0 0 channels 1 \
    fade t 0 "$total" 0.35 gain -n -3
sox -R "$work/wet.wav" -r "$rate" -c 1 -e signed-integer -b 16 -D "$work/chime.wav"

mkdir -p "$(dirname "$out")"
lame --quiet -m m -b 112 --cbr -q 2 --resample 44.1 \
    --tt "Avviso" --ta "Sorrisa" --tl "Sorrisa" \
    "$work/chime.wav" "$out"

echo "make-chime.sh: wrote $out"
